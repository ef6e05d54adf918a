#pragma once

#include <QIcon>
#include <QPixmap>
#include <QString>

namespace mewt {

// The app's own icon, the tuxedo's paw: compiled in, so windows and the about row never depend
// on what the icon theme holds. The icon theme gets the same SVG when the app is installed.
class AppIcon final {
public:
    // ":/icons/<application id>.svg".
    static QString resourcePath();
    // Rendered at the icon theme's sizes, so every window manager finds a sharp one.
    static QIcon icon();
    // Exactly size by size logical pixels at the given device pixel ratio; null only when the
    // resource is missing.
    static QPixmap pixmap(int size, qreal devicePixelRatio = 1.0);
};

} // namespace mewt
