#include "popover/PomodoroDurationPullText.h"

#include "artwork/Animation.h"
#include "artwork/CharacterSlotText.h"
#include "artwork/FocusRing.h"
#include "artwork/Glyph.h"
#include "popover/PopoverMetrics.h"

#include <QCoreApplication>
#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QSpacerItem>
#include <QVBoxLayout>

namespace mewt {

namespace {
constexpr int glyphSize = 9;
constexpr double valueRollSeconds = 0.18;
constexpr int compactSpacing = 3;
constexpr int regularSpacing = 1;
constexpr int compactPadding = 1;
constexpr int regularPadding = 3;
constexpr int unitSpacing = 1;
constexpr int compactFieldWidth = 22;
constexpr int regularFieldWidth = 30;
constexpr double focusRingRadius = 5.0;
} // namespace

QString pomodoroDurationDisplayText(qint64 minutes)
{
    const qint64 hours = minutes / 60;
    const qint64 rest = minutes % 60;
    if (hours == 0)
        return QString::number(minutes) + QLatin1Char('m');
    QString text = QString::number(hours) + QLatin1Char('h');
    if (rest != 0)
        text += QString::number(rest) + QLatin1Char('m');
    return text;
}

PomodoroDurationPullText::PomodoroDurationPullText(PomodoroDurationKind kind, QString title, QString glyph,
    bool compact, const PomodoroDurationValueActions& actions, QWidget* parent)
    : QWidget(parent)
    , title(std::move(title))
    , glyph(std::move(glyph))
    , compact(compact)
    , valueEditor(new PomodoroDurationValueEditor(*this, kind, actions))
    , value(new CharacterSlotText(QString(), false, this))
    , typing(new QWidget(this))
    , unit(new QLabel(typing))
{
    setFont(captionFont(QFont::DemiBold));
    setFocusPolicy(Qt::TabFocus);
    value->setRollTiming(valueRollSeconds, easeOutValue);
    unit->setTextFormat(Qt::PlainText);
    unit->setFont(font());
    auto* typingRow = new QHBoxLayout(typing);
    typingRow->setContentsMargins(0, 0, 0, 0);
    typingRow->setSpacing(unitSpacing);
    typingRow->addWidget(unit);
    valueEditor->setDisplay(
        *value, *typing, *typingRow, compact ? compactFieldWidth : regularFieldWidth, Qt::AlignCenter);

    if (compact) {
        auto* row = new QHBoxLayout(this);
        row->setContentsMargins(0, compactPadding, 0, compactPadding);
        row->setSpacing(compactSpacing);
        glyphPlace = new QSpacerItem(glyphSize, glyphSize, QSizePolicy::Fixed, QSizePolicy::Fixed);
        row->addItem(glyphPlace);
        row->addWidget(value);
        row->addWidget(typing);
        setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    } else {
        titleLabel = new QLabel(this);
        titleLabel->setTextFormat(Qt::PlainText);
        titleLabel->setFont(captionFont());
        titleLabel->setAlignment(Qt::AlignCenter);
        titleLabel->setAttribute(Qt::WA_TransparentForMouseEvents);
        titleLabel->setText(this->title);
        auto* line = new QHBoxLayout;
        line->addStretch(1);
        line->addWidget(value);
        line->addWidget(typing);
        line->addStretch(1);
        auto* column = new QVBoxLayout(this);
        column->setContentsMargins(0, regularPadding, 0, regularPadding);
        column->setSpacing(regularSpacing);
        column->addLayout(line);
        column->addWidget(titleLabel);
        // The three lengths share the row evenly.
        setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    }
    setSavedMinutes(0);
    retranslate();
}

void PomodoroDurationPullText::setSavedMinutes(qint64 minutes)
{
    if (minutes == valueEditor->savedValue() && !value->value().isEmpty())
        return;
    valueEditor->setSavedValue(minutes);
    value->setValue(pomodoroDurationDisplayText(minutes));
    retranslate();
}

void PomodoroDurationPullText::setAllowsPull(bool allows)
{
    if (allows == valueEditor->allowsPull())
        return;
    valueEditor->setAllowsPull(allows);
    setFocusPolicy(allows ? Qt::TabFocus : Qt::NoFocus);
    retranslate();
}

void PomodoroDurationPullText::setColors(const QColor& foreground, const QColor& secondary, const QColor& pullColor)
{
    valueEditor->setForeground(foreground);
    if (titleLabel) {
        QPalette t = titleLabel->palette();
        t.setColor(QPalette::WindowText, secondary);
        titleLabel->setPalette(t);
    }
    if (glyphColor != pullColor) {
        glyphColor = pullColor;
        update();
    }
}

void PomodoroDurationPullText::retranslate()
{
    const bool pulls = valueEditor->allowsPull();
    setAccessibleName(
        QCoreApplication::translate("mewt", "%1 duration, %n minutes", nullptr, int(valueEditor->savedValue()))
            .arg(title));
    const QString hint = pulls ? QStringLiteral("click to type exact minutes or drag to adjust") : QString();
    setAccessibleDescription(hint);
    setToolTip(hint.toHtmlEscaped());
    QLineEdit& field = valueEditor->field();
    const QString fieldHelp = QCoreApplication::translate("mewt", "type exact minutes, then press return");
    field.setToolTip(fieldHelp.toHtmlEscaped());
    field.setAccessibleName(accessibleName());
    field.setAccessibleDescription(fieldHelp);
    unit->setText(QCoreApplication::translate("mewt", "m"));
}

void PomodoroDurationPullText::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    if (glyphPlace)
        Glyph::paint(painter, glyph, QRectF(glyphPlace->geometry()), glyphColor);
    paintFocusRing(painter, *this, rect(), focusRingRadius);
}

void PomodoroDurationPullText::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::LanguageChange)
        retranslate();
    QWidget::changeEvent(event);
}

} // namespace mewt
