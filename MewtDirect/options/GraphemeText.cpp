#include "options/GraphemeText.h"

#include <QTextBoundaryFinder>
#include <algorithm>

namespace mewt {

namespace {

// The offset after the first `count` characters, or -1 when the text has fewer.
qsizetype offsetAfter(const QString& text, qsizetype count)
{
    if (count <= 0)
        return 0;
    QTextBoundaryFinder finder(QTextBoundaryFinder::Grapheme, text);
    qsizetype seen = 0;
    while (finder.toNextBoundary() >= 0) {
        if (finder.position() > 0 && ++seen == count)
            return finder.position();
    }
    return -1;
}

} // namespace

bool exceedsGraphemes(const QString& text, qsizetype limit)
{
    // No character is shorter than one code unit.
    return text.size() > limit && offsetAfter(text, limit + 1) >= 0;
}

QString truncatedToGraphemes(const QString& text, qsizetype limit, bool ellipsis)
{
    const qsizetype end = offsetAfter(text, std::max<qsizetype>(limit, 0));
    if (end < 0 || end == text.size())
        return text;
    if (!ellipsis)
        return text.left(end);
    return text.left(offsetAfter(text, limit - 1)) + QStringLiteral("…");
}

} // namespace mewt
