#include "popover/PomodoroLongBreakIntervalPullText.h"

#include "artwork/Animation.h"
#include "artwork/CharacterSlotText.h"
#include "artwork/FocusRing.h"
#include "artwork/Glyph.h"
#include "popover/PopoverMetrics.h"

#include <QCoreApplication>
#include <QEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QSpacerItem>

namespace mewt {

namespace {
constexpr int glyphSize = 9;
constexpr double valueRollSeconds = 0.18;
constexpr int compactSpacing = 3;
constexpr int regularSpacing = 6;
constexpr int minimumGap = 8;
constexpr int padding = 1;
constexpr int compactFieldWidth = 14;
constexpr int regularFieldWidth = 28;
constexpr double focusRingRadius = 5.0;
const QString glyphName = QStringLiteral("repeat");
} // namespace

PomodoroLongBreakIntervalPullText::PomodoroLongBreakIntervalPullText(
    bool compact, const PomodoroDurationValueActions& actions, QWidget* parent)
    : QWidget(parent)
    , compact(compact)
    , valueEditor(new PomodoroDurationValueEditor(*this, PomodoroDurationKind::longBreakInterval, actions))
    , value(new CharacterSlotText(QString(), false, this))
    , typing(new QWidget(this))
{
    setFont(compact ? captionFont(QFont::DemiBold) : captionFont());
    setFocusPolicy(Qt::StrongFocus);
    value->setRollTiming(valueRollSeconds, easeOutValue);
    auto* typingRow = new QHBoxLayout(typing);
    typingRow->setContentsMargins(0, 0, 0, 0);
    typingRow->setSpacing(regularSpacing);
    valueEditor->setDisplay(*value, *typing, *typingRow, compact ? compactFieldWidth : regularFieldWidth,
        compact ? Qt::AlignCenter : (Qt::AlignTrailing | Qt::AlignVCenter));

    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, padding, 0, padding);
    if (compact) {
        row->setSpacing(compactSpacing);
        glyphPlace = new QSpacerItem(glyphSize, glyphSize, QSizePolicy::Fixed, QSizePolicy::Fixed);
        row->addItem(glyphPlace);
        row->addWidget(value);
        row->addWidget(typing);
        setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    } else {
        lead = new QLabel(this);
        unit = new QLabel(typing);
        for (QLabel* label : { lead, unit }) {
            label->setTextFormat(Qt::PlainText);
            label->setFont(font());
            label->setAttribute(Qt::WA_TransparentForMouseEvents);
        }
        typingRow->addWidget(unit);
        row->setSpacing(regularSpacing);
        row->addWidget(lead);
        row->addSpacerItem(new QSpacerItem(minimumGap, 0, QSizePolicy::Expanding, QSizePolicy::Minimum));
        row->addWidget(value);
        row->addWidget(typing);
        setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    }
    setBlocks(0);
    retranslate();
}

QString PomodoroLongBreakIntervalPullText::displayText() const
{
    const QString count = QString::number(valueEditor->savedValue());
    return compact ? count : count + QStringLiteral(" focus sessions");
}

void PomodoroLongBreakIntervalPullText::setBlocks(qint64 blocks)
{
    if (blocks == valueEditor->savedValue() && !value->value().isEmpty())
        return;
    valueEditor->setSavedValue(blocks);
    value->setValue(displayText());
    retranslate();
}

void PomodoroLongBreakIntervalPullText::setAllowsPull(bool allows)
{
    if (allows == valueEditor->allowsPull())
        return;
    valueEditor->setAllowsPull(allows);
    setFocusPolicy(allows ? Qt::StrongFocus : Qt::NoFocus);
    retranslate();
}

void PomodoroLongBreakIntervalPullText::setColors(
    const QColor& foreground, const QColor& secondary, const QColor& pullColor)
{
    Q_UNUSED(secondary);
    valueEditor->setForeground(foreground);
    if (glyphColor != pullColor) {
        glyphColor = pullColor;
        update();
    }
}

void PomodoroLongBreakIntervalPullText::retranslate()
{
    const QString count = QString::number(valueEditor->savedValue());
    const QString hint = QStringLiteral("click to type the number of focus sessions or drag to adjust");
    setAccessibleName(QCoreApplication::translate("mewt", "long break interval"));
    valueEditor->setAccessibleValue(QCoreApplication::translate("mewt", "every %1 focus sessions").arg(count));
    setAccessibleDescription(valueEditor->allowsPull() ? hint : QString());
    setToolTip((QCoreApplication::translate("mewt", "long break every %1 focus sessions · ").arg(count) + hint)
                   .toHtmlEscaped());
    QLineEdit& field = valueEditor->field();
    const QString fieldHelp
        = QCoreApplication::translate("mewt", "type the number of focus sessions, then press return");
    field.setToolTip(fieldHelp.toHtmlEscaped());
    field.setAccessibleName(accessibleName());
    field.setAccessibleDescription(fieldHelp);
    if (lead) {
        lead->setText(QCoreApplication::translate("mewt", "long break every"));
        unit->setText(QCoreApplication::translate("mewt", "focus sessions"));
    }
}

void PomodoroLongBreakIntervalPullText::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    if (glyphPlace)
        Glyph::paint(painter, glyphName, QRectF(glyphPlace->geometry()), glyphColor);
    paintFocusRing(painter, *this, rect(), focusRingRadius);
}

void PomodoroLongBreakIntervalPullText::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::LanguageChange)
        retranslate();
    QWidget::changeEvent(event);
}

} // namespace mewt
