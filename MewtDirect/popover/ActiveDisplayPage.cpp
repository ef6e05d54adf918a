#include "popover/ActiveDisplayPage.h"

#include "cues/PointerFeedback.h"
#include "popover/CapsuleButton.h"
#include "popover/InstructionsBlock.h"
#include "popover/PopoverMetrics.h"
#include "popover/TimeButton.h"
#include "popover/ToolbarIconButton.h"
#include "popover/YarnTimeline.h"
#include "popover/ZenProgressBar.h"

#include <QCoreApplication>
#include <QEvent>
#include <QHBoxLayout>
#include <QVBoxLayout>

namespace mewt {

namespace {
constexpr int cancelGlyphSize = 10;

void tint(QWidget* widget, const QColor& color)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::WindowText, color);
    widget->setPalette(palette);
}
} // namespace

ActiveDisplayPage::ActiveDisplayPage(QWidget* parent)
    : QWidget(parent)
    , time(new TimeButton(this))
    , nextPhase(new CapsuleButton(this))
    , cancel(new ToolbarIconButton(QStringLiteral("xmark"), cancelGlyphSize, this))
    , toolbarSlot(new QWidget(this))
    , yarnTimeline(new YarnTimeline(this))
    , bar(new ZenProgressBar(this))
    , instructionLines(new InstructionsBlock(this))
{
    time->setObjectName(soundTag(TactileSound::toggle));
    nextPhase->setObjectName(soundTag(TactileSound::ready));
    cancel->setObjectName(cancelControlTag);
    toolbarSlot->setObjectName(QStringLiteral("compactToolbarSlot"));
    auto* slotLayout = new QHBoxLayout(toolbarSlot);
    slotLayout->setContentsMargins(0, 0, 0, 0);
    slotLayout->setSpacing(4);

    auto* row = new QHBoxLayout;
    row->setSpacing(rowSpacing);
    row->addWidget(time, 1);
    row->addWidget(nextPhase, 0, Qt::AlignVCenter);
    row->addWidget(cancel, 0, Qt::AlignVCenter);
    row->addWidget(toolbarSlot, 0, Qt::AlignVCenter);

    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(stackSpacing);
    column->addLayout(row);
    column->addWidget(yarnTimeline);
    column->addWidget(bar);
    column->addWidget(instructionLines);

    connect(time, &QAbstractButton::clicked, this, &ActiveDisplayPage::timePressed);
    connect(nextPhase, &QAbstractButton::clicked, this, &ActiveDisplayPage::nextPhasePressed);
    connect(cancel, &QAbstractButton::clicked, this, &ActiveDisplayPage::cancelPressed);
    retranslate();
}

void ActiveDisplayPage::setContent(const Content& content)
{
    time->block().setContent(content.time);
    // Set at every tick; Qt tells a reader of every set, so only a real change is made.
    if (time->accessibleName() != content.timeAccessibleName)
        time->setAccessibleName(content.timeAccessibleName);
    if (time->accessibleDescription() != content.timeAccessibleHint)
        time->setAccessibleDescription(content.timeAccessibleHint);
    time->setAccessibleValue(content.timeAccessibleValue);
    const bool normal = !content.zenLayout;
    nextPhase->setVisible(normal && content.nextPhaseLabel.has_value());
    if (content.nextPhaseLabel && nextPhase->text() != *content.nextPhaseLabel) {
        nextPhase->setText(*content.nextPhaseLabel);
        nextPhase->setAccessibleName(*content.nextPhaseLabel);
        nextPhase->updateGeometry();
    }
    cancel->setVisible(normal);
    toolbarSlot->setVisible(content.zenLayout && content.attached);
    yarnTimeline->setVisible(normal && content.showsYarn);
    yarnTimeline->setProgress(content.progress, content.revealID);
    bar->setVisible(content.zenLayout);
    bar->setProgress(content.progress);
    instructionLines->setVisible(normal && !content.instructions.empty());
    instructionLines->setLines(content.instructions);
}

void ActiveDisplayPage::setPopoverPalette(const CatPopoverPalette& palette)
{
    tint(this, palette.foregroundColor);
    time->block().setPopoverPalette(palette);
    cancel->setTint(palette.accentColor);
    yarnTimeline->setPopoverPalette(palette);
    bar->setPopoverPalette(palette);
    instructionLines->setPopoverPalette(palette);
}

void ActiveDisplayPage::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::LanguageChange)
        retranslate();
    QWidget::changeEvent(event);
}

void ActiveDisplayPage::retranslate()
{
    const QString label = QCoreApplication::translate("mewt", "cancel timer");
    cancel->setText(label);
    cancel->setAccessibleName(label);
    cancel->setToolTip(label.toHtmlEscaped());
}

} // namespace mewt
