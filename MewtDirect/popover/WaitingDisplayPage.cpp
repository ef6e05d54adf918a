#include "popover/WaitingDisplayPage.h"

#include "cues/PointerFeedback.h"
#include "popover/CapsuleButton.h"
#include "popover/InstructionsBlock.h"
#include "popover/PopoverMetrics.h"
#include "popover/TimeButton.h"
#include "popover/ToolbarIconButton.h"
#include "popover/YarnTimeline.h"

#include <QCoreApplication>
#include <QEvent>
#include <QHBoxLayout>
#include <QVBoxLayout>

namespace mewt {

namespace {
constexpr int cancelGlyphSize = 10;
} // namespace

WaitingDisplayPage::WaitingDisplayPage(QWidget* parent)
    : QWidget(parent)
    , zenStart(new TimeButton(this))
    , toolbarSlot(new QWidget(this))
    , controls(new QWidget(this))
    , block(new PhaseTimeBlock(controls))
    , start(new CapsuleButton(controls))
    , cancel(new ToolbarIconButton(QStringLiteral("xmark"), cancelGlyphSize, controls))
    , yarnTimeline(new YarnTimeline(controls))
    , instructionLines(new InstructionsBlock(controls))
{
    zenStart->setObjectName(soundTag(TactileSound::ready));
    start->setObjectName(soundTag(TactileSound::ready));
    cancel->setObjectName(cancelControlTag);
    toolbarSlot->setObjectName(QStringLiteral("compactToolbarSlot"));
    auto* slotLayout = new QHBoxLayout(toolbarSlot);
    slotLayout->setContentsMargins(0, 0, 0, 0);
    slotLayout->setSpacing(4);

    auto* zenRow = new QHBoxLayout;
    zenRow->setSpacing(rowSpacing);
    zenRow->addWidget(zenStart, 1);
    zenRow->addWidget(toolbarSlot, 0, Qt::AlignVCenter);

    auto* row = new QHBoxLayout;
    row->setSpacing(rowSpacing);
    row->addWidget(block, 1);
    row->addWidget(start, 0, Qt::AlignVCenter);
    row->addWidget(cancel, 0, Qt::AlignVCenter);
    auto* full = new QVBoxLayout(controls);
    full->setContentsMargins(0, 0, 0, 0);
    full->setSpacing(stackSpacing);
    full->addLayout(row);
    full->addWidget(yarnTimeline);
    full->addWidget(instructionLines);

    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    column->addLayout(zenRow);
    column->addWidget(controls);

    connect(zenStart, &QAbstractButton::clicked, this, &WaitingDisplayPage::startPressed);
    connect(start, &QAbstractButton::clicked, this, &WaitingDisplayPage::startPressed);
    connect(cancel, &QAbstractButton::clicked, this, &WaitingDisplayPage::cancelPressed);
    retranslate();
}

void WaitingDisplayPage::setContent(const Content& content)
{
    zenStart->setVisible(content.zenLayout);
    toolbarSlot->setVisible(content.zenLayout && content.attached);
    controls->setVisible(!content.zenLayout);
    if (content.zenLayout) {
        zenStart->block().setContent(content.time);
        if (zenStart->accessibleName() != content.startLabel)
            zenStart->setAccessibleName(content.startLabel);
        return;
    }
    block->setContent(content.time);
    if (start->text() != content.startLabel) {
        start->setText(content.startLabel);
        start->setAccessibleName(content.startLabel);
        start->updateGeometry();
    }
    yarnTimeline->setVisible(content.showsYarn);
    yarnTimeline->setProgress(content.progress, std::nullopt);
    instructionLines->setVisible(!content.instructions.empty());
    instructionLines->setLines(content.instructions);
}

void WaitingDisplayPage::setPopoverPalette(const CatPopoverPalette& palette)
{
    QPalette p = this->palette();
    p.setColor(QPalette::WindowText, palette.foregroundColor);
    setPalette(p);
    zenStart->block().setPopoverPalette(palette);
    block->setPopoverPalette(palette);
    cancel->setTint(palette.accentColor);
    yarnTimeline->setPopoverPalette(palette);
    instructionLines->setPopoverPalette(palette);
}

void WaitingDisplayPage::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::LanguageChange)
        retranslate();
    QWidget::changeEvent(event);
}

void WaitingDisplayPage::retranslate()
{
    const QString label = QCoreApplication::translate("mewt", "cancel pomodoro");
    cancel->setText(label);
    cancel->setAccessibleName(label);
    cancel->setToolTip(label.toHtmlEscaped());
}

} // namespace mewt
