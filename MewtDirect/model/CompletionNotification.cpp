#include "model/CompletionNotification.h"

#include <QCoreApplication>

namespace mewt {

CompletionNotification CompletionNotification::forTimer(const std::optional<QString>& timerName)
{
    CompletionNotification notification;
    if (timerName && !timerName->isEmpty())
        notification.title = QCoreApplication::translate("mewt", "%1 complete").arg(*timerName);
    else
        notification.title = QCoreApplication::translate("mewt", "mewt timer complete");
    notification.body = QCoreApplication::translate("mewt", "time to stretch, rest, or pull the paw again.");
    return notification;
}

} // namespace mewt
