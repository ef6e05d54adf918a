#include "popover/PomodoroDurationControls.h"

#include "model/PomodoroSettingsStore.h"
#include "popover/PomodoroDurationPullText.h"
#include "popover/PomodoroLongBreakIntervalPullText.h"
#include "popover/PopoverMetrics.h"
#include "popover/TimerPopoverEditingState.h"

#include <QHBoxLayout>
#include <QPainter>
#include <QSpacerItem>
#include <QVBoxLayout>
#include <algorithm>

namespace mewt {

namespace {
constexpr int compactSpacing = 4;
constexpr int regularSpacing = 6;
constexpr int lengthSpacing = 8;
constexpr int ruleWidth = 1;
constexpr int compactRuleHeight = 10;
constexpr int regularRuleHeight = 30;
constexpr qint64 minimumMinutes = 1;
constexpr qint64 maximumMinutes = 180;
constexpr double ruleOpacity = 0.25;

struct LengthRow {
    PomodoroDurationKind kind;
    const char* title;
    const char* glyph;
};
constexpr std::array<LengthRow, 3> lengthRows { {
    { PomodoroDurationKind::focus, "focus", "scope" },
    { PomodoroDurationKind::break_, "break", "cup-and-saucer" },
    { PomodoroDurationKind::longBreak, "long break", "bed" },
} };

std::size_t lengthIndex(PomodoroDurationKind kind)
{
    return static_cast<std::size_t>(std::find_if(lengthRows.begin(), lengthRows.end(), [kind](const LengthRow& row) {
        return row.kind == kind;
    }) - lengthRows.begin());
}

// A separating rule's place; the strip paints it, so a screen reader finds nothing there.
QSpacerItem* rule(int width, int height)
{
    return width > 0 ? new QSpacerItem(width, height, QSizePolicy::Fixed, QSizePolicy::Fixed)
                     : new QSpacerItem(0, height, QSizePolicy::Expanding, QSizePolicy::Fixed);
}
} // namespace

// A box layout puts its spacing only between widgets, once across any spacers between them, so the
// rule brings the spacing on its far side.
void PomodoroDurationControls::addRule(QBoxLayout& layout, int width, int height)
{
    layout.addItem(rules.emplace_back(rule(width, height)));
    layout.addSpacing(layout.spacing());
}

PomodoroDurationControls::PomodoroDurationControls(
    PomodoroSettingsStore& settings, TimerPopoverEditingState& edits, bool compact, QWidget* parent)
    : QWidget(parent)
    , settings(settings)
    , edits(edits)
    , compact(compact)
{
    actions.onBegan = [this](PomodoroDurationKind kind, QPointF point) {
        if (onBegan)
            onBegan(kind, point);
    };
    actions.onChanged = [this](QPointF point) {
        if (onChanged)
            onChanged(point);
    };
    actions.onEnded = [this](QPointF point) {
        if (onEnded)
            onEnded(point);
    };
    actions.onAdjust = [this](PomodoroDurationKind kind, qint64 value) {
        if (measuresMinutes(kind))
            updateConfiguration(kind, value);
        else
            updateLongBreakInterval(value);
    };
    actions.storedValue
        = [this](PomodoroDurationKind kind) { return savedDurationValue(kind, this->settings.configuration()); };
    actions.draft = [this](PomodoroDurationKind kind) {
        const auto draft = this->edits.durationDrafts.find(kind);
        return draft != this->edits.durationDrafts.end()
            ? draft->second
            : QString::number(savedDurationValue(kind, this->settings.configuration()));
    };
    actions.setDraft
        = [this](PomodoroDurationKind kind, const QString& text) { this->edits.durationDrafts[kind] = text; };
    actions.editingKind = [this] { return this->edits.editingDurationKind; };
    actions.beginEdit = [this](PomodoroDurationKind kind) {
        if (onOpenEdit)
            onOpenEdit(kind);
    };
    actions.commitEdit = [this](PomodoroDurationKind kind) {
        if (this->edits.editingDurationKind == kind && onCommitEdit)
            onCommitEdit();
        syncEditing();
    };
    actions.onTextInputFocusRequest = [this] { return onTextInputFocusRequest && onTextInputFocusRequest(); };

    for (std::size_t i = 0; i < lengthRows.size(); ++i)
        lengths[i] = new PomodoroDurationPullText(lengthRows[i].kind, QString::fromLatin1(lengthRows[i].title),
            QString::fromLatin1(lengthRows[i].glyph), compact, actions, this);
    interval = new PomodoroLongBreakIntervalPullText(compact, actions, this);

    if (compact) {
        auto* row = new QHBoxLayout(this);
        row->setContentsMargins(0, 0, 0, 0);
        row->setSpacing(compactSpacing);
        for (PomodoroDurationPullText* length : lengths) {
            if (length != lengths.front())
                addRule(*row, ruleWidth, compactRuleHeight);
            row->addWidget(length, 0, Qt::AlignVCenter);
        }
        addRule(*row, ruleWidth, compactRuleHeight);
        row->addWidget(interval, 0, Qt::AlignVCenter);
        setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    } else {
        auto* row = new QHBoxLayout;
        row->setSpacing(lengthSpacing);
        for (PomodoroDurationPullText* length : lengths) {
            if (length != lengths.front())
                addRule(*row, ruleWidth, regularRuleHeight);
            row->addWidget(length, 1);
        }
        auto* column = new QVBoxLayout(this);
        column->setContentsMargins(0, 0, 0, 0);
        column->setSpacing(regularSpacing);
        column->addLayout(row);
        addRule(*column, 0, ruleWidth);
        column->addWidget(interval);
        setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    }
    connect(&settings, &PomodoroSettingsStore::configurationChanged, this, &PomodoroDurationControls::scheduleSync);
    sync();
}

PomodoroDurationPullText& PomodoroDurationControls::lengthValue(PomodoroDurationKind kind) const
{
    return *lengths.at(lengthIndex(kind));
}

PomodoroDurationValueEditor& PomodoroDurationControls::editor(PomodoroDurationKind kind) const
{
    return measuresMinutes(kind) ? lengthValue(kind).editor() : interval->editor();
}

void PomodoroDurationControls::setAllowsPull(bool allows)
{
    for (PomodoroDurationPullText* length : lengths)
        length->setAllowsPull(allows);
    interval->setAllowsPull(allows);
}

void PomodoroDurationControls::setPopoverPalette(const CatPopoverPalette& palette)
{
    for (PomodoroDurationPullText* length : lengths)
        length->setColors(palette.foregroundColor, palette.secondaryTextColor, palette.accentColor);
    interval->setColors(palette.foregroundColor, palette.secondaryTextColor, palette.accentColor);
    const QColor color = withOpacity(palette.secondaryTextColor, ruleOpacity);
    if (color != ruleColor) {
        ruleColor = color;
        update();
    }
}

void PomodoroDurationControls::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    for (const QSpacerItem* line : rules) {
        // The layout hands a rule its row's whole height; it is drawn at its own size, centred.
        const QRectF place = line->geometry();
        const QSizeF size(line->expandingDirections() & Qt::Horizontal ? place.width() : line->sizeHint().width(),
            line->sizeHint().height());
        painter.fillRect(QRectF(place.center() - QPointF(size.width(), size.height()) / 2, size), ruleColor);
    }
}

void PomodoroDurationControls::scheduleSync()
{
    if (!std::exchange(syncPending, true))
        QMetaObject::invokeMethod(this, &PomodoroDurationControls::sync, Qt::QueuedConnection);
}

void PomodoroDurationControls::sync()
{
    syncPending = false;
    const PomodoroConfiguration configuration = settings.configuration();
    for (PomodoroDurationPullText* length : lengths)
        length->setSavedMinutes(savedDurationValue(length->editor().kind(), configuration));
    interval->setBlocks(configuration.blocksBeforeLongBreak);
    syncEditing();
}

void PomodoroDurationControls::syncEditing()
{
    for (PomodoroDurationKind kind : allPomodoroDurationKinds)
        editor(kind).followEditingKind();
}

void PomodoroDurationControls::reportFrames(std::map<PomodoroDurationKind, QRectF>& frames, const QWidget& space) const
{
    for (PomodoroDurationKind kind : allPomodoroDurationKinds) {
        const QWidget& value = editor(kind).host();
        if (editor(kind).allowsPull())
            frames[kind] = QRectF(value.mapTo(&space, QPoint(0, 0)), value.size());
    }
}

void PomodoroDurationControls::updateConfiguration(PomodoroDurationKind kind, qint64 minutes)
{
    const qint64 held = std::clamp(minutes, minimumMinutes, maximumMinutes);
    settings.setConfiguration(configurationWith(settings.configuration(), kind, held));
}

void PomodoroDurationControls::updateLongBreakInterval(qint64 blocks)
{
    // Held here only so that the number fits the field; the store holds it to 2 to 8.
    const qint64 fits = std::clamp<qint64>(blocks, PomodoroConfiguration::minimumBlocksBeforeLongBreak - 1,
        PomodoroConfiguration::maximumBlocksBeforeLongBreak + 1);
    PomodoroConfiguration configuration = settings.configuration();
    configuration.blocksBeforeLongBreak = static_cast<int>(fits);
    settings.setConfiguration(configuration);
}

} // namespace mewt
