#pragma once

#include <QObject>
#include <QString>

namespace mewt {

// The check for a newer mewt that a person starts, and the way to the version it found, as the
// updates row sees them. The real runtime lives in the shell; a build without an update feed may
// have none at all.
class UpdateRuntime : public QObject {
    Q_OBJECT

public:
    struct Status {
        enum class Kind { idle, checking, message };
        Kind kind = Kind::idle;
        QString text; // with message

        static Status idle() { return {}; }
        static Status checking() { return { Kind::checking, {} }; }
        static Status message(QString text) { return { Kind::message, std::move(text) }; }
        friend bool operator==(const Status&, const Status&) = default;
    };

    using QObject::QObject;
    ~UpdateRuntime() override;
    Q_DISABLE_COPY_MOVE(UpdateRuntime)

    virtual const Status& status() const = 0;
    // Does nothing while a check runs; every outcome ends in `status`, within a bounded time.
    virtual void checkForUpdates() = 0;
    // Whether a newer version is known with a web page to get it from.
    virtual bool canOpenAvailableUpdate() const = 0;
    // Opens that page in the desktop's browser; false when there is none or it could not be opened,
    // which `status` then tells.
    virtual bool openAvailableUpdate() = 0;

Q_SIGNALS:
    void statusChanged();
    void availableUpdateChanged();
};

} // namespace mewt
