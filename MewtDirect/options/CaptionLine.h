#pragma once

class QLabel;
class QWidget;

namespace mewt {

// A caption under a row: wrapped over as many lines as it needs, never cut, shown as plain text
// (it often holds text we did not write: an error from the system, a server's message).
enum class CaptionTone { secondary, error };

QLabel* captionLine(CaptionTone tone, QWidget* parent = nullptr);

} // namespace mewt
