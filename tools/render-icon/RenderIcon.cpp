// Renders the app's SVG icon to the PNG sizes the icon theme wants, at build time, so launchers
// that ignore scalable icons still show the paw. Usage: render-icon <icon.svg> <folder> <size>...
// writes <folder>/<size>x<size>/apps/<name of the SVG>.png for every size.
#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QPainter>
#include <QString>
#include <QSvgRenderer>
#include <cstdio>

namespace {

int fail(const QString& message)
{
    std::fprintf(stderr, "render-icon: %s\n", qPrintable(message));
    return 1;
}

} // namespace

int main(int argc, char* argv[])
{
    if (argc < 4)
        return fail(QStringLiteral("usage: render-icon <icon.svg> <folder> <size>..."));
    const QString source = QString::fromLocal8Bit(argv[1]);
    const QString folder = QString::fromLocal8Bit(argv[2]);
    QSvgRenderer renderer(source);
    if (!renderer.isValid())
        return fail(QStringLiteral("%1 is not a readable SVG").arg(source));

    for (int i = 3; i < argc; ++i) {
        bool ok = false;
        const int size = QString::fromLocal8Bit(argv[i]).toInt(&ok);
        if (!ok || size < 1 || size > 4096)
            return fail(QStringLiteral("%1 is not a size in pixels").arg(QString::fromLocal8Bit(argv[i])));
        QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        QPainter painter(&image);
        painter.setRenderHints(QPainter::Antialiasing | QPainter::SmoothPixmapTransform);
        renderer.render(&painter, QRectF(0, 0, size, size));
        painter.end();

        const QString subfolder = QStringLiteral("%1/%2x%2/apps").arg(folder).arg(size);
        const QString target = subfolder + u'/' + QFileInfo(source).completeBaseName() + QStringLiteral(".png");
        if (!QDir().mkpath(subfolder) || !image.save(target, "PNG"))
            return fail(QStringLiteral("%1 can't be written").arg(target));
    }
    return 0;
}
