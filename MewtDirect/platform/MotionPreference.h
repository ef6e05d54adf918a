#pragma once

#include <QObject>
#include <optional>

namespace mewt {

class PortalSettings;

// Whether the person asked the desktop for less motion. MEWT_REDUCED_MOTION=1 or 0 decides when
// set; otherwise the portal's reduced-motion setting, then GNOME's enable-animations as the
// portal relays it; otherwise full motion.
class MotionPreference final : public QObject {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(MotionPreference)

public:
    explicit MotionPreference(QObject* parent = nullptr);
    explicit MotionPreference(PortalSettings* portal, QObject* parent = nullptr);

    bool reducesMotion() const { return reduces; }

Q_SIGNALS:
    void reducesMotionChanged(bool reducesMotion);

private:
    void take(const QString& group, const QString& key, const QVariant& value);
    void update();

    PortalSettings* portal = nullptr;
    std::optional<bool> portalReduces; // org.freedesktop.appearance reduced-motion
    std::optional<bool> gnomeReduces; // org.gnome.desktop.interface enable-animations, inverted
    bool heardPortal = false;
    bool heardGnome = false;
    bool reduces = false;
};

} // namespace mewt
