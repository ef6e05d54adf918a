#pragma once

#include <QList>
#include <QString>
#include <optional>

namespace mewt {

// One licence notice of a library this build ships or links, kept as a text file in our resources.
struct OpenSourceNotice {
    QString id;
    QString title;
    QString resource; // base name of the text file; the extension is "txt"

    // Every library mewt ships or links, in the order the notices sheet lists them.
    static const QList<OpenSourceNotice>& all();
    friend bool operator==(const OpenSourceNotice&, const OpenSourceNotice&) = default;
};

inline constexpr qint64 maximumNoticeBytes = 512 * 1024;
inline constexpr char noticeFolder[] = "ThirdPartyLicenses";

// The text of `<root><resource>.txt`, else of `<root>ThirdPartyLicenses/<resource>.txt`. None when
// neither exists, or the file cannot be read, is empty, larger than maximumNoticeBytes or not valid
// UTF-8. `root` ends with a slash; the compiled-in resources by default.
std::optional<QString> loadOpenSourceNotice(const QString& resource, const QString& root = QStringLiteral(":/"));

} // namespace mewt
