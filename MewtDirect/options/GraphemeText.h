#pragma once

#include <QString>

namespace mewt {

// Counting and cutting by what a reader sees as one character (an extended grapheme cluster), so
// an emoji built of several code points counts once and is never split.
// Whether the text has more than `limit` characters; reads no further than the one past it.
bool exceedsGraphemes(const QString& text, qsizetype limit);
// The first `limit` characters; with `ellipsis`, a cut text ends in "…" in place of its last one.
QString truncatedToGraphemes(const QString& text, qsizetype limit, bool ellipsis = false);

} // namespace mewt
