#pragma once

#include <QString>
#include <optional>

namespace mewt {

// The texts of the notification shown when a timer completes.
struct CompletionNotification {
    QString title;
    QString body;

    // Texts in the interface language whose translator is installed: "<name> complete" when the
    // timer has a name, "mewt timer complete" otherwise.
    static CompletionNotification forTimer(const std::optional<QString>& timerName);

    bool operator==(const CompletionNotification&) const = default;
};

} // namespace mewt
