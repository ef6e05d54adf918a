#pragma once

#include "model/TimeDisplayStyle.h"

#include <QObject>
#include <functional>

namespace mewt {

class UserDefaults;

// The style of the remaining time in the menu bar.
class TimeDisplaySettingsStore final : public QObject {
    Q_OBJECT

public:
    explicit TimeDisplaySettingsStore(UserDefaults& defaults, QObject* parent = nullptr);
    Q_DISABLE_COPY_MOVE(TimeDisplaySettingsStore)

    static inline const QString styleKey = QStringLiteral("timeDisplayStyle");

    TimeDisplayStyle style() const { return current; }
    void setStyle(TimeDisplayStyle style);

    std::function<void(TimeDisplayStyle)> onChange;

Q_SIGNALS:
    void styleChanged(mewt::TimeDisplayStyle style);

private:
    UserDefaults& defaults;
    TimeDisplayStyle current = TimeDisplayStyle::compact;
};

} // namespace mewt
