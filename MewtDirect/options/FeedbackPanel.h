#pragma once

#include "model/ColorScheme.h"

#include <QDialog>
#include <functional>

namespace mewt {

class FeedbackComposerModel;
class FeedbackComposerView;

// The small floating window titled "send feedback" that hosts the form. Its title-bar close
// only hides it, keeping the note; Escape is the form's cancel action. Its height follows the form.
class FeedbackPanel final : public QDialog {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(FeedbackPanel)

public:
    FeedbackPanel(FeedbackComposerModel& model, std::function<void()> onClose, QWidget* parent = nullptr);

    FeedbackComposerView& view() const { return *composer; }
    // `accent` marks the chosen kind, the send button and selected text (see optionsPalette).
    void setColorScheme(ColorScheme scheme, const QColor& accent = QColor());

public Q_SLOTS:
    void reject() override;

Q_SIGNALS:
    // The form grew or shrank while the panel shows.
    void resized();

protected:
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    FeedbackComposerView* composer;
};

// Where a panel of `size` goes: its centre on the centre of `over` when given, otherwise on the
// centre of `screenArea`; kept inside `screenArea` where it fits.
QPoint feedbackPanelOrigin(QSize size, const QRect* over, const QRect& screenArea);

// Where `frame` goes when moved by the least that puts it inside `screenArea`; one larger than the
// area keeps its top-left corner (the title bar) in it.
QPoint feedbackPanelKeptOrigin(const QRect& frame, const QRect& screenArea);

} // namespace mewt
