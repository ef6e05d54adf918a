#include "options/FeedbackPanel.h"

#include "options/FeedbackComposerView.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QVBoxLayout>
#include <algorithm>

namespace mewt {

namespace {

struct Colors {
    QRgb window, base, text, button, highlight, disabledText;
};

constexpr Colors lightColors { 0xf4f3f1, 0xffffff, 0x1f1d1b, 0xfbfaf8, 0x2f7be0, 0xa19d98 };
constexpr Colors darkColors { 0x2a2927, 0x1d1c1b, 0xefedea, 0x3a3836, 0x4a94f0, 0x75716c };

} // namespace

FeedbackPanel::FeedbackPanel(FeedbackComposerModel& model, std::function<void()> onClose, QWidget* parent)
    : QDialog(parent,
        Qt::Dialog | Qt::WindowStaysOnTopHint | Qt::CustomizeWindowHint | Qt::WindowTitleHint
            | Qt::WindowCloseButtonHint)
    , composer(new FeedbackComposerView(model, std::move(onClose), this))
{
    setModal(false);
    setWindowTitle(QCoreApplication::translate("mewt", "send feedback"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(composer);
    // The height follows the form, so an address field, a long failure or the thanks never
    // push the buttons out of the window.
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

void FeedbackPanel::setColorScheme(ColorScheme scheme)
{
    setPalette(schemePalette(scheme));
    composer->setColorScheme(scheme);
}

QPalette FeedbackPanel::schemePalette(ColorScheme scheme)
{
    const Colors& colors = scheme == ColorScheme::dark ? darkColors : lightColors;
    QPalette palette;
    palette.setColor(QPalette::Window, QColor::fromRgb(colors.window));
    palette.setColor(QPalette::Base, QColor::fromRgb(colors.base));
    palette.setColor(QPalette::AlternateBase, QColor::fromRgb(colors.window));
    palette.setColor(QPalette::Button, QColor::fromRgb(colors.button));
    palette.setColor(QPalette::Highlight, QColor::fromRgb(colors.highlight));
    palette.setColor(QPalette::HighlightedText, Qt::white);
    for (const QPalette::ColorRole role :
        { QPalette::WindowText, QPalette::Text, QPalette::ButtonText, QPalette::ToolTipText })
        palette.setColor(role, QColor::fromRgb(colors.text));
    QColor placeholder = QColor::fromRgb(colors.text);
    placeholder.setAlpha(110);
    palette.setColor(QPalette::PlaceholderText, placeholder);
    for (const QPalette::ColorRole role : { QPalette::WindowText, QPalette::Text, QPalette::ButtonText })
        palette.setColor(QPalette::Disabled, role, QColor::fromRgb(colors.disabledText));
    palette.setColor(QPalette::ToolTipBase, QColor::fromRgb(colors.base));
    palette.setColor(QPalette::Light, QColor::fromRgb(colors.button).lighter(115));
    palette.setColor(QPalette::Midlight, QColor::fromRgb(colors.button).darker(105));
    palette.setColor(QPalette::Mid, QColor::fromRgb(colors.window).darker(130));
    palette.setColor(QPalette::Dark, QColor::fromRgb(colors.window).darker(160));
    palette.setColor(QPalette::Shadow, Qt::black);
    return palette;
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

} // namespace mewt
