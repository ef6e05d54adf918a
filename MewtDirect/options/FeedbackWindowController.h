#pragma once

#include "model/ColorScheme.h"
#include "options/FeedbackClient.h"

#include <QColor>
#include <QObject>
#include <QRect>
#include <functional>
#include <memory>

class QScreen;
class QWidget;

namespace mewt {

class FeedbackComposerModel;
class FeedbackPanel;
class X11FrameExtents;

// Owns the one feedback panel and its model. A second request shows the same panel; the form's
// close, cancel and done forget both, so the next request starts an empty note.
class FeedbackWindowController final : public QObject {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(FeedbackWindowController)

public:
    explicit FeedbackWindowController(FeedbackClientOptions options = {}, QObject* parent = nullptr);
    ~FeedbackWindowController() override;

    // Shows the panel, building it first when there is none, its frame centred over `relativeTo`
    // when given, otherwise on the screen, and brings it to the front. A new panel shows once the
    // window manager has told its frame.
    void showFeedbackWindow(QWidget* relativeTo = nullptr);
    void setColorScheme(ColorScheme scheme, const QColor& accent = QColor());
    // Gone for good, a send in flight with it.
    void close();

    // A screen area the panel must not open over (the paw's corner): where no window manager keeps
    // it out of the screen's available area, the panel starts below it.
    std::function<QRect()> keepClearOf;

    FeedbackPanel* panel() const { return currentPanel.get(); }
    FeedbackComposerModel* model() const { return currentModel.get(); }

private:
    // The screen's available area without the paw's corner.
    QRect screenArea(QScreen* screen) const;
    // Keeps the frame whole on the screen's area, by the least move, once the turn's changes are
    // done (the form grew, the frame or the screens changed).
    void scheduleKeepOnScreen();
    void keepOnScreen();
    void bringToFront();
    void forget();
    void modelChanged();

    FeedbackClientOptions options;
    ColorScheme scheme = ColorScheme::light;
    QColor accent;
    std::unique_ptr<FeedbackComposerModel> currentModel;
    std::unique_ptr<FeedbackPanel> currentPanel;
    X11FrameExtents* frame = nullptr;
    bool placing = false;
    bool wasSending = false;
    bool keepPending = false;
    int unsettledTries = 0;
};

} // namespace mewt
