#include "options/LoginItemSwitching.h"

namespace mewt {

LoginItemSwitching::~LoginItemSwitching() = default;

} // namespace mewt
