#include "popover/IdleDisplayPage.h"

#include "popover/ClockTimeField.h"
#include "popover/InstructionsBlock.h"
#include "popover/PopoverAccessibility.h"
#include "popover/PopoverMetrics.h"
#include "popover/TimerModePicker.h"

#include <QHBoxLayout>
#include <QStackedLayout>
#include <QVBoxLayout>

namespace mewt {

namespace {
constexpr int zenRowSpacing = 8;
constexpr int zenNameWidth = 190;
constexpr int zenNameInset = 8;
constexpr int normalNameWidth = 220;
constexpr int clockFaceSpacing = 1;
constexpr int startControlsInset = 8;

// An empty place another view is put into; it takes no room until then.
QWidget* slot(const QString& name, QWidget* parent)
{
    auto* widget = new QWidget(parent);
    widget->setObjectName(name);
    auto* layout = new QHBoxLayout(widget);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(4);
    return widget;
}

// The page follows its form's height, not the taller of the two.
void followCurrent(QStackedLayout* stack)
{
    for (int i = 0; i < stack->count(); ++i) {
        QWidget* page = stack->widget(i);
        const bool current = page == stack->currentWidget();
        page->setSizePolicy(QSizePolicy::Preferred, current ? QSizePolicy::Preferred : QSizePolicy::Ignored);
    }
}
} // namespace

IdleDisplayPage::IdleDisplayPage(QWidget* parent)
    : QWidget(parent)
    , zenForm(new QWidget(this))
    , normalForm(new QWidget(this))
    , zenNameSlot(slot(QStringLiteral("sessionNameFieldSlot"), zenForm))
    , toolbarSlot(slot(QStringLiteral("compactToolbarSlot"), zenForm))
    , zenSecondRow(new QWidget(zenForm))
    , compactPicker(new TimerModePicker(true, zenSecondRow))
    , compactDurations(slot(QStringLiteral("compactDurationControlsSlot"), zenSecondRow))
    , regularPicker(new TimerModePicker(false, normalForm))
    , nameSlot(slot(QStringLiteral("sessionNameFieldSlot"), normalForm))
    , clockFace(new QWidget(normalForm))
    , clockNameRow(slot(QStringLiteral("clockNameSlot"), clockFace))
    , clockTime(new ClockTimeField(clockFace))
    , start(new TimerStartControls(clockFace))
    , durations(slot(QStringLiteral("durationControlsSlot"), normalForm))
    , instructionLines(new InstructionsBlock(normalForm))
{
    // Zen: the name with the toolbar over its trailing end, then the compact picker and durations.
    zenForm->setFixedWidth(zenWidth);
    auto* topRow = new QHBoxLayout;
    topRow->setContentsMargins(zenNameInset, 0, 0, 0);
    zenNameSlot->setFixedWidth(zenNameWidth);
    topRow->addWidget(zenNameSlot);
    topRow->addStretch(1);
    topRow->addWidget(toolbarSlot);
    auto* secondRow = new QHBoxLayout(zenSecondRow);
    secondRow->setContentsMargins(0, 0, 0, 0);
    secondRow->setSpacing(0);
    secondRow->addWidget(compactPicker);
    secondRow->addSpacing(zenRowSpacing);
    secondRow->addStretch(1);
    secondRow->addWidget(compactDurations);
    auto* zenColumn = new QVBoxLayout(zenForm);
    zenColumn->setContentsMargins(0, 0, 0, 0);
    zenColumn->setSpacing(zenRowSpacing);
    zenColumn->addLayout(topRow);
    zenColumn->addWidget(zenSecondRow);

    // Normal: the picker, the main line, the durations and the instructions, centred.
    nameSlot->setFixedWidth(normalNameWidth);
    auto* timeRow = new QGridLayout;
    timeRow->setContentsMargins(0, 0, 0, 0);
    timeRow->addWidget(clockTime, 0, 0, Qt::AlignCenter);
    auto* startRow = new QHBoxLayout;
    startRow->setContentsMargins(startControlsInset, 0, startControlsInset, 0);
    startRow->addStretch(1);
    startRow->addWidget(start);
    timeRow->addLayout(startRow, 0, 0);
    auto* face = new QVBoxLayout(clockFace);
    face->setContentsMargins(0, 0, 0, 0);
    face->setSpacing(clockFaceSpacing);
    face->addWidget(clockNameRow, 0, Qt::AlignHCenter);
    face->addLayout(timeRow);
    auto* normalColumn = new QVBoxLayout(normalForm);
    normalColumn->setContentsMargins(0, 0, 0, 0);
    normalColumn->setSpacing(stackSpacing);
    normalColumn->addWidget(regularPicker, 0, Qt::AlignHCenter);
    normalColumn->addWidget(nameSlot, 0, Qt::AlignHCenter);
    normalColumn->addWidget(clockFace);
    normalColumn->addWidget(durations);
    normalColumn->addWidget(instructionLines);

    forms = new QStackedLayout(this);
    forms->addWidget(zenForm);
    forms->addWidget(normalForm);
    forms->setCurrentWidget(normalForm);
    followCurrent(forms);

    setAccessibleRole(this, QAccessible::Grouping);
    for (TimerModePicker* picker : { compactPicker, regularPicker })
        connect(picker, &TimerModePicker::modePicked, this, &IdleDisplayPage::modePicked);
    connect(start, &TimerStartControls::startPressed, this, &IdleDisplayPage::startPressed);
}

bool IdleDisplayPage::showsZenLayout() const
{
    return forms->currentWidget() == zenForm;
}

bool IdleDisplayPage::showsStartControls() const
{
    return !showsZenLayout() && !clockFace->isHidden();
}

void IdleDisplayPage::setContent(const Content& content)
{
    QWidget* form = content.zenLayout ? zenForm : normalForm;
    if (forms->currentWidget() != form) {
        forms->setCurrentWidget(form);
        followCurrent(forms);
    }
    setAccessibleActionName(this, content.startActionName);
    const bool pomodoro = content.mode == TimerMode::pomodoro;
    if (content.zenLayout) {
        toolbarSlot->setVisible(content.attached);
        zenSecondRow->setVisible(content.showsModePicker || pomodoro);
        compactPicker->setVisible(content.showsModePicker);
        compactPicker->setMode(content.mode);
        compactDurations->setVisible(pomodoro);
        return;
    }
    regularPicker->setVisible(content.showsModePicker);
    regularPicker->setMode(content.mode);
    const bool clock = content.idleLayout == TimerIdleLayout::clock;
    nameSlot->setVisible(!clock);
    clockFace->setVisible(clock);
    clockTime->showTime(content.clockTime);
    start->setContent(content.start);
    durations->setVisible(pomodoro);
    instructionLines->setVisible(!content.instructions.empty());
    instructionLines->setLines(content.instructions);
}

void IdleDisplayPage::setPopoverPalette(const CatPopoverPalette& palette)
{
    QPalette p = this->palette();
    p.setColor(QPalette::WindowText, palette.foregroundColor);
    setPalette(p);
    compactPicker->setPopoverPalette(palette);
    regularPicker->setPopoverPalette(palette);
    instructionLines->setPopoverPalette(palette);
    clockTime->setColor(palette.foregroundColor);
}

void IdleDisplayPage::performAccessibleAction()
{
    Q_EMIT startRequested();
}

} // namespace mewt
