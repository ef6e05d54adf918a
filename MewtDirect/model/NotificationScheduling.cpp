#include "model/NotificationScheduling.h"

namespace mewt {

NotificationScheduling::~NotificationScheduling() = default;

} // namespace mewt
