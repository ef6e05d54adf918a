#pragma once

#include <QObject>
#include <QPalette>
#include <functional>
#include <optional>

namespace mewt {

class PortalSettings;
class XSettingsWatcher;

// Whether the desktop looks dark: the portal's colour scheme when it states a preference;
// otherwise dark when the XSETTINGS theme is a dark one (XFCE and other GTK desktops switch to
// dark by theme, and their portal states nothing), else the lightness of the palette's window colour.
class AppearanceMonitor final : public QObject {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(AppearanceMonitor)

public:
    using PaletteSource = std::function<QPalette()>;

    // `palette` defaults to the application palette. A shell that installs its own application
    // palette must hand in the desktop's palette instead, or the answer would follow itself.
    explicit AppearanceMonitor(QObject* parent = nullptr);
    AppearanceMonitor(PortalSettings* portal, PaletteSource palette, QObject* parent = nullptr);

    bool isDark() const { return dark; }

    static bool paletteLooksDark(const QPalette& palette);

Q_SIGNALS:
    void darkChanged(bool dark);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void takeColorScheme(const QVariant& value);
    void update();

    PortalSettings* portal = nullptr;
    PaletteSource palette;
    XSettingsWatcher* xsettings = nullptr;
    std::optional<bool> portalSaysDark;
    bool heardChange = false;
    bool dark = false;
};

} // namespace mewt
