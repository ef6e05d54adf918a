#pragma once

namespace mewt {

// The two appearances a palette is drawn for.
enum class ColorScheme { light, dark };

} // namespace mewt
