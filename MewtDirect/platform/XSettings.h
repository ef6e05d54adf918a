#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <map>
#include <optional>

namespace mewt {

// The settings an XSETTINGS manager publishes on its window (the _XSETTINGS_SETTINGS property), as
// GTK desktops such as XFCE publish their theme. Only the string settings are kept. Every length is
// checked against the bytes that remain: data that is short, corrupt or hostile is refused whole.
class XSettings final {
public:
    static inline const QByteArray themeNameKey = QByteArrayLiteral("Net/ThemeName");
    // Data bigger than this is not a desktop's settings, so nothing is read of it.
    static constexpr qsizetype maximumSize = 1024 * 1024;

    // Nothing for data that does not follow the format.
    static std::optional<XSettings> parse(QByteArrayView data);

    std::optional<QString> string(const QByteArray& name) const;
    // Whether the desktop's theme is a dark one: GTK names the dark variant of a theme
    // "<theme>-dark" (Greybird-dark, Adwaita-dark), and "<theme>:dark" where a variant is asked for.
    bool themeIsDark() const;

private:
    std::map<QByteArray, QString> strings;
};

} // namespace mewt
