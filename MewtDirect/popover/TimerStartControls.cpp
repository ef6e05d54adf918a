#include "popover/TimerStartControls.h"

#include "cues/PointerFeedback.h"
#include "popover/PopoverAccessibility.h"
#include "popover/TimerDisplayContent.h"
#include "popover/ToolbarIconButton.h"

#include <QEvent>
#include <QHBoxLayout>

namespace mewt {

namespace {
constexpr int playGlyphSize = 9;
} // namespace

TimerStartControls::TimerStartControls(QWidget* parent)
    : QWidget(parent)
    , play(new ToolbarIconButton(QStringLiteral("play"), playGlyphSize, this))
{
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->addWidget(play);
    play->setObjectName(soundTag(TactileSound::success));
    setAccessibleRole(play, QAccessible::Button);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    connect(play, &QAbstractButton::clicked, this, &TimerStartControls::startPressed);
    retranslate();
}

void TimerStartControls::setContent(const Content& content)
{
    if (content == shown)
        return;
    shown = content;
    play->setTint(content.accentColor);
    retranslate();
}

void TimerStartControls::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::LanguageChange)
        retranslate();
    QWidget::changeEvent(event);
}

void TimerStartControls::retranslate()
{
    const StartControlTexts texts
        = startControlTexts(shown.mode, shown.isContinuous, shown.quickTimeMinutes, shown.focusMinutes);
    play->setText(texts.accessibleName);
    play->setAccessibleName(texts.accessibleName);
    play->setAccessibleDescription(texts.accessibleHint);
    play->setToolTip(texts.help.toHtmlEscaped());
    setPopoverAccessibleValue(play, texts.accessibleValue);
}

} // namespace mewt
