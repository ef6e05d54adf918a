#pragma once

#include <QString>

namespace mewt {

// Counting and cutting by what a reader sees as one character (an extended grapheme cluster), so
// an emoji built of several code points counts once and is never split.
qsizetype graphemeCount(const QString& text);
// The first `limit` characters; with `ellipsis`, a cut text ends in "…" in place of its last one.
QString truncatedToGraphemes(const QString& text, qsizetype limit, bool ellipsis = false);

} // namespace mewt
