#include "popover/CompactToolbar.h"

#include "cues/PointerFeedback.h"
#include "model/PomodoroPlan.h"
#include "model/TimerState.h"
#include "popover/DetachedWindowDragHandle.h"
#include "popover/PopoverAccessibility.h"
#include "popover/PopoverTitle.h"
#include "popover/ToolbarIconButton.h"

#include <QCoreApplication>
#include <QEvent>
#include <QHBoxLayout>
#include <QMenu>

namespace mewt {

namespace {
constexpr int buttonGap = 4;
constexpr int glyphPixelSize = 10;
} // namespace

bool showsStopButton(const TimerState& state, const std::optional<PomodoroPlan>& plan)
{
    return !state.isIdle() || plan.has_value();
}

bool showsSkipButton(const std::optional<PomodoroPlan>& plan)
{
    if (!plan || !plan->isPhaseRunning)
        return false;
    if (plan->isContinuous)
        return true;
    const qint64 owed = std::max<qint64>(plan->totalFocusSeconds - plan->completedFocusSeconds, 0);
    if (plan->phase == PomodoroPhase::focus)
        return plan->phaseDurationSeconds < owed;
    return owed >= 1;
}

CompactToolbar::CompactToolbar(QMenu& menu, QWidget* parent)
    : QWidget(parent)
    , menu(menu)
    , detachment(glyphPixelSize, this)
    , title(new PopoverTitle(this))
    , handle(new DetachedWindowDragHandle(this))
    , stop(new ToolbarIconButton(QStringLiteral("stop"), glyphPixelSize, this))
    , skip(new ToolbarIconButton(QStringLiteral("forward-end"), glyphPixelSize, this))
    , moreActions(new ToolbarIconButton(QStringLiteral("ellipsis"), glyphPixelSize, this))
{
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(buttonGap);
    row->addWidget(detachment.close);
    row->addWidget(title);
    row->addWidget(handle, 1);
    row->addWidget(detachment.pin);
    row->addWidget(stop);
    row->addWidget(skip);
    row->addWidget(moreActions);
    detachment.connect(
        this, [this] { Q_EMIT closePressed(); }, [this] { Q_EMIT pinPressed(); });
    title->hide();
    handle->hide();
    stop->setObjectName(cancelControlTag);
    skip->setObjectName(soundTag(TactileSound::page));
    moreActions->setObjectName(soundTag(TactileSound::page));
    setAccessibleRole(moreActions, QAccessible::ButtonMenu);
    stop->hide();
    skip->hide();
    connect(stop, &QAbstractButton::clicked, this, &CompactToolbar::stopPressed);
    connect(skip, &QAbstractButton::clicked, this, &CompactToolbar::skipPressed);
    connect(moreActions, &QAbstractButton::pressed, this, [this] {
        this->menu.popup(moreActions->mapToGlobal(QPoint(0, moreActions->height())));
        // The menu takes the release (a key's as well as the pointer's): the button must not
        // stay drawn pressed.
        moreActions->setDown(false);
    });
    retranslate();
}

void CompactToolbar::setContent(const Content& content)
{
    if (content == shown)
        return;
    const bool formChanged = content.detached != shown.detached;
    shown = content;
    for (ToolbarIconButton* button : { detachment.close, detachment.pin, stop, skip, moreActions })
        button->setTint(content.ink);
    QPalette ink = title->palette();
    ink.setColor(QPalette::WindowText, content.ink);
    title->setPalette(ink);
    title->setAccent(content.accent);
    for (QWidget* part : std::initializer_list<QWidget*> { detachment.close, title, handle })
        part->setVisible(content.detached);
    detachment.show(content.detached, content.tourPresented);
    stop->setVisible(content.showsStop);
    skip->setVisible(content.showsSkip);
    if (formChanged)
        retranslate();
}

void CompactToolbar::retranslate()
{
    detachment.retranslate(shown.detached);
    stop->setAccessibleName(QCoreApplication::translate("mewt", "stop"));
    stop->setToolTip(QCoreApplication::translate("mewt", "stop timer"));
    skip->setAccessibleName(QCoreApplication::translate("mewt", "skip"));
    skip->setToolTip(QCoreApplication::translate("mewt", "skip phase"));
    moreActions->setAccessibleName(QCoreApplication::translate("mewt", "more actions"));
    moreActions->setToolTip(QCoreApplication::translate("mewt", "more actions"));
}

void CompactToolbar::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::LanguageChange)
        retranslate();
    QWidget::changeEvent(event);
}

} // namespace mewt
