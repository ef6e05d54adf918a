#include "cues/PointerEventMonitor.h"

#include "cues/TactileSoundPlayer.h"

#include <QCoreApplication>
#include <QMouseEvent>
#include <QWindow>

namespace mewt {

PointerEventMonitor::PointerEventMonitor(TactileSoundPlayer& player)
    : player(&player)
{
    if (QCoreApplication* application = QCoreApplication::instance())
        application->installEventFilter(this);
}

PointerEventMonitor::~PointerEventMonitor()
{
    if (QCoreApplication* application = QCoreApplication::instance())
        application->removeEventFilter(this);
}

bool PointerEventMonitor::eventFilter(QObject* watched, QEvent* event)
{
    switch (event->type()) {
    case QEvent::MouseMove:
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
        if (player && watched->isWindowType())
            player->handlePointerEvent(static_cast<QWindow*>(watched), *static_cast<QMouseEvent*>(event));
        break;
    default: break;
    }
    return false;
}

} // namespace mewt
