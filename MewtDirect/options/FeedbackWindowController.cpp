#include "options/FeedbackWindowController.h"

#include "options/FeedbackComposerModel.h"
#include "options/FeedbackComposerView.h"
#include "options/FeedbackPanel.h"
#include "platform/X11FrameExtents.h"
#include "platform/X11KeyboardReturn.h"

#include <QGuiApplication>
#include <QLayout>
#include <QPlainTextEdit>
#include <QPointer>
#include <QScreen>
#include <QTimer>
#include <QWidget>
#include <algorithm>
#include <chrono>
#include <utility>

namespace mewt {

namespace {

constexpr std::chrono::milliseconds unsettledRetry { 50 };
constexpr int maxUnsettledTries = 40;

} // namespace

FeedbackWindowController::FeedbackWindowController(FeedbackClientOptions options, QObject* parent)
    : QObject(parent)
    , options(std::move(options))
{
}

FeedbackWindowController::~FeedbackWindowController()
{
    close();
}

void FeedbackWindowController::showFeedbackWindow(QWidget* relativeTo)
{
    if (currentPanel) {
        if (!placing)
            bringToFront();
        return;
    }
    currentModel = std::make_unique<FeedbackComposerModel>(FeedbackDiagnostics::current(), options);
    connect(currentModel.get(), &FeedbackComposerModel::changed, this, &FeedbackWindowController::modelChanged);
    const QPointer<FeedbackWindowController> self(this);
    currentPanel = std::make_unique<FeedbackPanel>(*currentModel, [self] {
        if (self)
            self->forget();
    });
    currentPanel->setColorScheme(scheme, accent);
    // The fixed-size layout gives the panel its real size only once it is polished and active.
    currentPanel->ensurePolished();
    currentPanel->layout()->activate();
    currentPanel->view().messageEditor()->setFocus();
    frame = new X11FrameExtents(*currentPanel);
    // The form grows with the address field, a failure's sentence or the thanks, and the panel
    // downwards with it, off the screen with its buttons when it opened low; a screen may shrink
    // under it, and a manager change its frame.
    connect(currentPanel.get(), &FeedbackPanel::resized, this, &FeedbackWindowController::scheduleKeepOnScreen);
    connect(frame, &X11FrameExtents::changed, this, &FeedbackWindowController::scheduleKeepOnScreen);
    const auto watch = [this](QScreen* screen) {
        connect(screen, &QScreen::availableGeometryChanged, currentPanel.get(), [this] { scheduleKeepOnScreen(); });
        connect(screen, &QScreen::geometryChanged, currentPanel.get(), [this] { scheduleKeepOnScreen(); });
    };
    for (QScreen* screen : QGuiApplication::screens())
        watch(screen);
    connect(qGuiApp, &QGuiApplication::screenAdded, currentPanel.get(), [this, watch](QScreen* screen) {
        watch(screen);
        scheduleKeepOnScreen();
    });
    connect(qGuiApp, &QGuiApplication::screenRemoved, currentPanel.get(), [this] { scheduleKeepOnScreen(); });

    const QPointer<QWidget> over = relativeTo ? relativeTo->window() : nullptr;
    placing = true;
    frame->whenKnown([this, over] {
        placing = false;
        if (!currentPanel)
            return;
        const QRect overFrame = over ? over->frameGeometry() : QRect();
        const QRect outer = frame->frameGeometry();
        frame->moveFrameTo(feedbackPanelOrigin(outer.size(), over ? &overFrame : nullptr,
            screenArea(over && over->screen() ? over->screen() : QGuiApplication::primaryScreen())));
        bringToFront();
    });
}

void FeedbackWindowController::bringToFront()
{
    currentPanel->show();
    currentPanel->raise();
    X11KeyboardReturn::noteTaking();
    currentPanel->activateWindow();
}

QRect FeedbackWindowController::screenArea(QScreen* screen) const
{
    QRect area = screen ? screen->availableGeometry() : QRect(QPoint(), currentPanel->size());
    if (const QRect clear = keepClearOf ? keepClearOf() : QRect(); area.intersects(clear))
        area.setTop(std::max(area.top(), clear.bottom() + 1));
    return area;
}

void FeedbackWindowController::scheduleKeepOnScreen()
{
    // One move, however many steps the form or the desktop took.
    if (!std::exchange(keepPending, true))
        QMetaObject::invokeMethod(this, &FeedbackWindowController::keepOnScreen, Qt::QueuedConnection);
}

void FeedbackWindowController::keepOnScreen()
{
    keepPending = false;
    if (!currentPanel || !currentPanel->isVisible())
        return;
    if (!frame->isSettled()) {
        // Asked again shortly, for as long as a desktop takes to settle a move or a resize.
        if (++unsettledTries <= maxUnsettledTries)
            QTimer::singleShot(unsettledRetry, this, &FeedbackWindowController::scheduleKeepOnScreen);
        return;
    }
    unsettledTries = 0;
    const QRect outer = frame->frameGeometry();
    const QPoint origin = feedbackPanelKeptOrigin(outer, screenArea(currentPanel->screen()));
    if (origin != outer.topLeft())
        frame->moveFrameTo(origin);
}

void FeedbackWindowController::setColorScheme(ColorScheme newScheme, const QColor& newAccent)
{
    scheme = newScheme;
    accent = newAccent;
    if (currentPanel)
        currentPanel->setColorScheme(scheme, accent);
}

void FeedbackWindowController::modelChanged()
{
    using Kind = FeedbackComposerModel::Phase::Kind;
    const Kind kind = currentModel->state().phase.kind;
    // A note whose send failed after its window was closed from the title bar comes back, so the
    // failure is never told to nobody.
    if (wasSending && kind == Kind::failed && currentPanel && !currentPanel->isVisible())
        showFeedbackWindow();
    wasSending = kind == Kind::sending;
}

void FeedbackWindowController::forget()
{
    // Runs inside the form's own click: the panel and its model go once that returns.
    if (currentPanel) {
        currentPanel->hide();
        currentPanel.release()->deleteLater();
    }
    placing = false;
    if (currentModel) {
        currentModel->disconnect(this);
        currentModel.release()->deleteLater();
    }
    wasSending = false;
}

void FeedbackWindowController::close()
{
    placing = false;
    currentPanel.reset();
    currentModel.reset();
    wasSending = false;
}

} // namespace mewt
