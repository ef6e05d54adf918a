#pragma once

#include <QObject>

class QSocketNotifier;

namespace mewt {

// Turns SIGTERM, SIGINT and SIGHUP into one Qt signal on the main thread, so a logout or a
// `kill` goes through the same orderly quit as the quit command.
class QuitSignalWatcher final : public QObject {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(QuitSignalWatcher)

public:
    explicit QuitSignalWatcher(QObject* parent = nullptr);
    ~QuitSignalWatcher() override;

Q_SIGNALS:
    void quitRequested(int signalNumber);

private:
    void readSignal();

    QSocketNotifier* notifier = nullptr;
};

} // namespace mewt
