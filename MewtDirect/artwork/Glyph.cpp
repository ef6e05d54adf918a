#include "artwork/Glyph.h"

#include <QCache>
#include <QFile>
#include <QHash>
#include <QPainter>
#include <QSvgRenderer>
#include <memory>

namespace mewt {

namespace {

QString glyphPath(const QString& name)
{
    return QStringLiteral(":/glyphs/%1.svg").arg(name);
}

// Renderers parse their SVG once; the pixmap cache holds what was drawn at each size and colour.
QSvgRenderer* rendererFor(const QString& name)
{
    static QHash<QString, std::shared_ptr<QSvgRenderer>> renderers;
    auto found = renderers.find(name);
    if (found == renderers.end()) {
        // A missing file is a plain "no glyph", not a warning from the SVG reader.
        auto renderer = QFile::exists(glyphPath(name)) ? std::make_shared<QSvgRenderer>(glyphPath(name)) : nullptr;
        found = renderers.insert(name, renderer && renderer->isValid() ? renderer : nullptr);
    }
    return found->get();
}

QCache<QString, QPixmap>& pixmapCache()
{
    static QCache<QString, QPixmap> cache(256);
    return cache;
}

QRectF fitted(QSizeF natural, const QRectF& box)
{
    if (natural.isEmpty())
        return box;
    const QSizeF size = natural.scaled(box.size(), Qt::KeepAspectRatio);
    return QRectF(box.center() - QPointF(size.width() / 2.0, size.height() / 2.0), size);
}

} // namespace

bool Glyph::exists(const QString& name)
{
    return rendererFor(name) != nullptr;
}

QPixmap Glyph::pixmap(const QString& name, QSize size, const QColor& color, qreal devicePixelRatio)
{
    QSvgRenderer* renderer = rendererFor(name);
    if (renderer == nullptr || size.isEmpty())
        return {};
    const QString key = QStringLiteral("%1|%2x%3|%4|%5")
                            .arg(name)
                            .arg(size.width())
                            .arg(size.height())
                            .arg(color.rgba())
                            .arg(devicePixelRatio);
    if (const QPixmap* cached = pixmapCache().object(key))
        return *cached;

    QPixmap pixmap(size * devicePixelRatio);
    pixmap.setDevicePixelRatio(devicePixelRatio);
    pixmap.fill(Qt::transparent);
    {
        QPainter painter(&pixmap);
        painter.setRenderHint(QPainter::Antialiasing);
        renderer->render(&painter, fitted(renderer->defaultSize(), QRectF(QPointF(0, 0), QSizeF(size))));
        // The SVG's own colours only shape the coverage; the palette decides the colour.
        painter.setCompositionMode(QPainter::CompositionMode_SourceIn);
        painter.fillRect(QRectF(QPointF(0, 0), QSizeF(size)), color);
    }
    pixmapCache().insert(key, new QPixmap(pixmap));
    return pixmap;
}

void Glyph::paint(QPainter& painter, const QString& name, const QRectF& rect, const QColor& color)
{
    const qreal ratio = painter.device() != nullptr ? painter.device()->devicePixelRatioF() : 1.0;
    const QPixmap drawn = pixmap(name, rect.size().toSize(), color, ratio);
    if (!drawn.isNull())
        painter.drawPixmap(rect.topLeft(), drawn);
}

} // namespace mewt
