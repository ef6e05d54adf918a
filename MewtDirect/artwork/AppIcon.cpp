#include "artwork/AppIcon.h"

#include "platform/AppInfo.h"

#include <QPainter>
#include <QSvgRenderer>
#include <algorithm>
#include <cmath>

namespace mewt {

QString AppIcon::resourcePath()
{
    return QStringLiteral(":/icons/%1.svg").arg(QString::fromUtf8(AppInfo::bundleIdentifier));
}

QIcon AppIcon::icon()
{
    QIcon icon;
    for (const int size : { 16, 22, 24, 32, 48, 64, 128, 256 }) {
        const QPixmap rendered = pixmap(size);
        if (!rendered.isNull())
            icon.addPixmap(rendered);
    }
    return icon;
}

QPixmap AppIcon::pixmap(int size, qreal devicePixelRatio)
{
    static QSvgRenderer renderer(resourcePath());
    const int pixels = static_cast<int>(std::lround(size * std::max(devicePixelRatio, 1.0)));
    if (!renderer.isValid() || size <= 0)
        return {};
    QPixmap pixmap(pixels, pixels);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    renderer.render(&painter, QRectF(0, 0, pixels, pixels));
    painter.end();
    pixmap.setDevicePixelRatio(std::max(devicePixelRatio, 1.0));
    return pixmap;
}

} // namespace mewt
