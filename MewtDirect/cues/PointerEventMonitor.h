#pragma once

#include <QObject>
#include <QPointer>

namespace mewt {

class TactileSoundPlayer;

// The application-wide watch on mouse input for pointer feedback. Qt shows one platform event to
// an application filter several times: once for its window, then for every widget it propagates
// to. Only the window's delivery is handed on, so each click sounds once. Events always go on
// unchanged.
class PointerEventMonitor final : public QObject {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(PointerEventMonitor)

public:
    explicit PointerEventMonitor(TactileSoundPlayer& player);
    ~PointerEventMonitor() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QPointer<TactileSoundPlayer> player;
};

} // namespace mewt
