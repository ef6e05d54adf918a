#include "options/FeedbackPanel.h"

#include "options/FeedbackComposerView.h"
#include "options/OptionsPalette.h"
#include "platform/X11KeyboardReturn.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QVBoxLayout>
#include <algorithm>

namespace mewt {

FeedbackPanel::FeedbackPanel(FeedbackComposerModel& model, std::function<void()> onClose, QWidget* parent)
    : QDialog(parent,
        Qt::Dialog | Qt::WindowStaysOnTopHint | Qt::CustomizeWindowHint | Qt::WindowTitleHint
            | Qt::WindowCloseButtonHint)
    , composer(new FeedbackComposerView(model, std::move(onClose), this))
{
    setModal(false);
    new X11KeyboardReturn(*this);
    setWindowTitle(QCoreApplication::translate("mewt", "send feedback"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(composer);
    // The height follows the form, so an address field, a long failure or the thanks never
    // push the buttons out of the window.
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

void FeedbackPanel::setColorScheme(ColorScheme scheme, const QColor& accent)
{
    setPalette(optionsPalette(scheme == ColorScheme::dark, accent));
    composer->setColorScheme(scheme);
}

void FeedbackPanel::reject()
{
    composer->cancelAction();
}

void FeedbackPanel::closeEvent(QCloseEvent* event)
{
    // Accepted without reject(): the window only hides and keeps the note.
    event->accept();
}

void FeedbackPanel::resizeEvent(QResizeEvent* event)
{
    QDialog::resizeEvent(event);
    if (isVisible())
        Q_EMIT resized();
}

void FeedbackPanel::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::LanguageChange)
        setWindowTitle(QCoreApplication::translate("mewt", "send feedback"));
    QDialog::changeEvent(event);
}

QPoint feedbackPanelOrigin(QSize size, const QRect* over, const QRect& screenArea)
{
    const QRect& area = over ? *over : screenArea;
    QPoint origin(area.x() + (area.width() - size.width()) / 2, area.y() + (area.height() - size.height()) / 2);
    if (size.width() <= screenArea.width())
        origin.setX(std::clamp(origin.x(), screenArea.left(), screenArea.right() + 1 - size.width()));
    if (size.height() <= screenArea.height())
        origin.setY(std::clamp(origin.y(), screenArea.top(), screenArea.bottom() + 1 - size.height()));
    return origin;
}

QPoint feedbackPanelKeptOrigin(const QRect& frame, const QRect& screenArea)
{
    return { std::max(std::min(frame.left(), screenArea.right() + 1 - frame.width()), screenArea.left()),
        std::max(std::min(frame.top(), screenArea.bottom() + 1 - frame.height()), screenArea.top()) };
}

} // namespace mewt
