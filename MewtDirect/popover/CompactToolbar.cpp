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
#include <QShortcut>

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
    , close(new ToolbarIconButton(QStringLiteral("xmark"), glyphPixelSize, this))
    , title(new PopoverTitle(this))
    , handle(new DetachedWindowDragHandle(this))
    , pin(new ToolbarIconButton(QStringLiteral("pin"), glyphPixelSize, this))
    , stop(new ToolbarIconButton(QStringLiteral("stop"), glyphPixelSize, this))
    , skip(new ToolbarIconButton(QStringLiteral("forward-end"), glyphPixelSize, this))
    , moreActions(new ToolbarIconButton(QStringLiteral("ellipsis"), glyphPixelSize, this))
{
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(buttonGap);
    row->addWidget(close);
    row->addWidget(title);
    row->addWidget(handle, 1);
    row->addWidget(pin);
    row->addWidget(stop);
    row->addWidget(skip);
    row->addWidget(moreActions);
    close->setObjectName(cancelControlTag);
    pin->setObjectName(soundTag(TactileSound::page));
    // Ctrl+W works while the button is there to press; a shortcut of the button's own would
    // only press it a moment later.
    connect(new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_W), close), &QShortcut::activated, this,
        &CompactToolbar::closePressed);
    close->hide();
    title->hide();
    handle->hide();
    connect(close, &QAbstractButton::clicked, this, &CompactToolbar::closePressed);
    connect(pin, &QAbstractButton::clicked, this, &CompactToolbar::pinPressed);
    stop->setObjectName(cancelControlTag);
    skip->setObjectName(soundTag(TactileSound::page));
    moreActions->setObjectName(soundTag(TactileSound::page));
    setAccessibleRole(moreActions, QAccessible::ButtonMenu);
    stop->hide();
    skip->hide();
    connect(stop, &QAbstractButton::clicked, this, &CompactToolbar::stopPressed);
    connect(skip, &QAbstractButton::clicked, this, &CompactToolbar::skipPressed);
    connect(moreActions, &QAbstractButton::pressed, this,
        [this] { this->menu.popup(moreActions->mapToGlobal(QPoint(0, moreActions->height()))); });
    retranslate();
}

void CompactToolbar::setContent(const Content& content)
{
    if (content == shown)
        return;
    const bool formChanged = content.detached != shown.detached;
    shown = content;
    for (ToolbarIconButton* button : { close, pin, stop, skip, moreActions })
        button->setTint(content.ink);
    QPalette ink = title->palette();
    ink.setColor(QPalette::WindowText, content.ink);
    title->setPalette(ink);
    title->setAccent(content.accent);
    for (QWidget* part : std::initializer_list<QWidget*> { close, title, handle })
        part->setVisible(content.detached);
    for (ToolbarIconButton* button : { pin, close })
        button->setEnabled(!content.tourPresented);
    pin->setGlyph(content.detached ? QStringLiteral("pin-fill") : QStringLiteral("pin"));
    stop->setVisible(content.showsStop);
    skip->setVisible(content.showsSkip);
    if (formChanged)
        retranslate();
}

void CompactToolbar::retranslate()
{
    close->setAccessibleName(QCoreApplication::translate("mewt", "close detached controls"));
    close->setAccessibleDescription(QCoreApplication::translate("mewt", "reattaches controls to the top bar paw"));
    close->setToolTip(QCoreApplication::translate("mewt", "reattach controls to top bar"));
    pin->setAccessibleName(shown.detached ? QCoreApplication::translate("mewt", "reattach controls")
                                          : QCoreApplication::translate("mewt", "detach and pin controls"));
    pin->setToolTip(shown.detached ? QCoreApplication::translate("mewt", "reattach controls to top bar")
                                   : QCoreApplication::translate("mewt", "detach and pin controls"));
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
