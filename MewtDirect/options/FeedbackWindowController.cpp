#include "options/FeedbackWindowController.h"

#include "options/FeedbackComposerModel.h"
#include "options/FeedbackComposerView.h"
#include "options/FeedbackPanel.h"
#include "platform/X11KeyboardReturn.h"

#include <QGuiApplication>
#include <QLayout>
#include <QPlainTextEdit>
#include <QPointer>
#include <QScreen>
#include <QWidget>
#include <algorithm>
#include <utility>

namespace mewt {

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
    if (!currentPanel) {
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

        QWidget* over = relativeTo ? relativeTo->window() : nullptr;
        const QRect overFrame = over ? over->frameGeometry() : QRect();
        currentPanel->move(feedbackPanelOrigin(currentPanel->size(), over ? &overFrame : nullptr,
            screenArea(over && over->screen() ? over->screen() : QGuiApplication::primaryScreen())));
        currentPanel->view().messageEditor()->setFocus();
        // The form grows with the address field, a failure's sentence or the thanks, and the panel
        // downwards with it, off the screen with its buttons when it opened low. One move, once
        // the turn's layouts are done, however many steps the form took.
        connect(currentPanel.get(), &FeedbackPanel::resized, this, [this] {
            if (!std::exchange(keepPending, true))
                QMetaObject::invokeMethod(this, &FeedbackWindowController::keepOnScreen, Qt::QueuedConnection);
        });
    }
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

void FeedbackWindowController::keepOnScreen()
{
    keepPending = false;
    if (!currentPanel || !currentPanel->isVisible())
        return;
    const QRect frame = currentPanel->frameGeometry();
    const QPoint origin = feedbackPanelKeptOrigin(frame, screenArea(currentPanel->screen()));
    if (origin != frame.topLeft())
        currentPanel->move(origin);
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
    if (currentModel) {
        currentModel->disconnect(this);
        currentModel.release()->deleteLater();
    }
    wasSending = false;
}

void FeedbackWindowController::close()
{
    currentPanel.reset();
    currentModel.reset();
    wasSending = false;
}

} // namespace mewt
