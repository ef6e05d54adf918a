#pragma once

#include "options/OptionsCategory.h"

#include <QtGlobal>

class QPainter;
class QPalette;
class QRectF;

namespace mewt {

// The small tinted tile with a white glyph that stands for a category in the sidebar and in search
// results. It is painted by the row that shows it, never a widget of its own: it is decoration,
// and the row carries the words, so screen readers meet no empty node.
struct OptionsCategoryIcon {
    static constexpr int side = 22;
    // From a sidebar row's leading edge, for category rows and search hits alike.
    static constexpr int rowInset = 8;
    static constexpr int glyphSize = 11;
    static constexpr qreal cornerRadius = 6;

    static void paint(QPainter& painter, const QRectF& rect, OptionsCategory category, const QPalette& palette);
};

} // namespace mewt
