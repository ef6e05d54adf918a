#include "options/OpenSourceNotice.h"

#include <QFile>
#include <QStringDecoder>

namespace mewt {

const QList<OpenSourceNotice>& OpenSourceNotice::all()
{
    static const QList<OpenSourceNotice> notices = {
        { QStringLiteral("qt"), QStringLiteral("Qt 6"), QStringLiteral("Qt-6-LGPL-3.0") },
        { QStringLiteral("libpulse"), QStringLiteral("PulseAudio"), QStringLiteral("libpulse-LGPL-2.1") },
        { QStringLiteral("libxcb"), QStringLiteral("libxcb"), QStringLiteral("libxcb-MIT") },
    };
    return notices;
}

std::optional<QString> loadOpenSourceNotice(const QString& resource, const QString& root)
{
    const QString fileName = resource + QStringLiteral(".txt");
    QFile file(root + fileName);
    if (!file.exists())
        file.setFileName(root + QLatin1String(noticeFolder) + QLatin1Char('/') + fileName);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    // Read one byte past the limit, so a huge file is refused without reading all of it.
    const QByteArray bytes = file.read(maximumNoticeBytes + 1);
    if (bytes.isEmpty() || bytes.size() > maximumNoticeBytes)
        return std::nullopt;
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = decoder.decode(bytes);
    if (decoder.hasError() || text.trimmed().isEmpty())
        return std::nullopt;
    return text;
}

} // namespace mewt
