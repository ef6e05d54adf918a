#include "options/UpdateRuntime.h"

namespace mewt {

UpdateRuntime::~UpdateRuntime() = default;

} // namespace mewt
