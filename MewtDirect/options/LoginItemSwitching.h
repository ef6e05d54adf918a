#pragma once

#include <QObject>
#include <QString>
#include <optional>

namespace mewt {

// Open at login as the general page sees it. The real service (over the desktop's autostart
// entries) lives in the shell; it tells of every change through the three signals.
class LoginItemSwitching : public QObject {
    Q_OBJECT

public:
    using QObject::QObject;
    ~LoginItemSwitching() override;
    Q_DISABLE_COPY_MOVE(LoginItemSwitching)

    virtual bool isEnabled() const = 0;
    // The user must still approve the item in the desktop's settings.
    virtual bool needsApproval() const = 0;
    // Why the last change failed; none once a new change starts.
    virtual const std::optional<QString>& errorMessage() const = 0;
    // Never throws nor blocks for long; a failure lands in errorMessage.
    virtual void setEnabled(bool enable) = 0;

Q_SIGNALS:
    void isEnabledChanged(bool isEnabled);
    void needsApprovalChanged(bool needsApproval);
    void errorMessageChanged();
};

} // namespace mewt
