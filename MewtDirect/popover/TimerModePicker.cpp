#include "popover/TimerModePicker.h"

#include "artwork/FocusRing.h"
#include "artwork/Glyph.h"
#include "cues/PointerFeedback.h"
#include "popover/PopoverAccessibility.h"
#include "popover/PopoverMetrics.h"

#include <QAbstractButton>
#include <QCoreApplication>
#include <QEvent>
#include <QFontMetricsF>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QPainter>
#include <cmath>

namespace mewt {

namespace {
constexpr int regularHeight = 20;
constexpr int compactHeight = 16;
constexpr int regularSegmentPadding = 10;
constexpr int compactSegmentWidth = 24;
constexpr int compactGlyphSize = 10;
constexpr int trackInset = 2;
constexpr double trackOpacity = 0.08;

// One segment: the word, or the glyph with the word as its accessible name.
class Segment final : public QAbstractButton {
public:
    Segment(bool compact, QString glyph, QWidget* parent)
        : QAbstractButton(parent)
        , compact(compact)
        , glyph(std::move(glyph))
    {
        // The picker checks one segment by the mode; an exclusive group would also take the other
        // segment out of the Tab order.
        setCheckable(true);
        setFocusPolicy(Qt::TabFocus);
        setCursor(Qt::PointingHandCursor);
        setFont(captionFont(QFont::DemiBold));
        setFeedbackRole(this, FeedbackRole::radioButton);
        setAccessibleRole(this, QAccessible::RadioButton);
    }

    QSize sizeHint() const override
    {
        if (compact)
            return { compactSegmentWidth, compactHeight };
        const int textWidth = static_cast<int>(std::ceil(QFontMetricsF(font()).horizontalAdvance(text())));
        return { textWidth + 2 * regularSegmentPadding, regularHeight };
    }

    QColor selectedFill;
    QColor ink;

protected:
    void nextCheckState() override { }

    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        painter.setRenderHint(QPainter::Antialiasing);
        const QRectF r = QRectF(rect()).adjusted(trackInset, trackInset, -trackInset, -trackInset);
        if (isChecked()) {
            painter.setPen(Qt::NoPen);
            painter.setBrush(selectedFill);
            painter.drawRoundedRect(r, r.height() / 2, r.height() / 2);
        }
        if (compact) {
            const QRectF g(r.center().x() - compactGlyphSize / 2.0, r.center().y() - compactGlyphSize / 2.0,
                compactGlyphSize, compactGlyphSize);
            Glyph::paint(painter, glyph, g, ink);
        } else {
            painter.setPen(ink);
            painter.drawText(r, Qt::AlignCenter, text());
        }
        paintFocusRing(painter, *this, rect(), height() / 2.0);
    }

    void keyPressEvent(QKeyEvent* event) override
    {
        if (!pressOnReturn(*this, *event))
            QAbstractButton::keyPressEvent(event);
    }

private:
    bool compact;
    QString glyph;
};
} // namespace

TimerModePicker::TimerModePicker(bool compact, QWidget* parent)
    : QWidget(parent)
    , compact(compact)
    , timerSegment(new Segment(compact, QStringLiteral("timer"), this))
    , pomodoroSegment(new Segment(compact, QStringLiteral("pomodoro"), this))
{
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(0);
    row->addWidget(timerSegment);
    row->addWidget(pomodoroSegment);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    setAccessibleRole(this, QAccessible::Grouping);
    timerSegment->setChecked(true);
    connect(timerSegment, &QAbstractButton::clicked, this, [this] { Q_EMIT modePicked(TimerMode::timer); });
    connect(pomodoroSegment, &QAbstractButton::clicked, this, [this] { Q_EMIT modePicked(TimerMode::pomodoro); });
    retranslate();
}

void TimerModePicker::setMode(TimerMode mode)
{
    selected = mode;
    timerSegment->setChecked(mode == TimerMode::timer);
    pomodoroSegment->setChecked(mode == TimerMode::pomodoro);
}

QAbstractButton* TimerModePicker::segment(TimerMode mode) const
{
    return mode == TimerMode::timer ? timerSegment : pomodoroSegment;
}

void TimerModePicker::setPopoverPalette(const CatPopoverPalette& palette)
{
    if (palette == colors)
        return;
    colors = palette;
    for (QAbstractButton* button : { timerSegment, pomodoroSegment }) {
        auto* s = static_cast<Segment*>(button);
        s->ink = colors.foregroundColor;
        s->selectedFill = colors.innerColor;
        s->update();
    }
    update();
}

void TimerModePicker::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(withOpacity(colors.foregroundColor, trackOpacity));
    const QRectF r(rect());
    painter.drawRoundedRect(r, r.height() / 2, r.height() / 2);
}

void TimerModePicker::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::LanguageChange)
        retranslate();
    QWidget::changeEvent(event);
}

void TimerModePicker::retranslate()
{
    setAccessibleName(QCoreApplication::translate("mewt", "mode"));
    // The regular words are the modes' own names; the compact glyphs carry translated names.
    const QString timerName = compact ? QCoreApplication::translate("mewt", "timer") : rawValue(TimerMode::timer);
    const QString pomodoroName
        = compact ? QCoreApplication::translate("mewt", "pomodoro") : rawValue(TimerMode::pomodoro);
    timerSegment->setText(timerName);
    pomodoroSegment->setText(pomodoroName);
    timerSegment->setAccessibleName(timerName);
    pomodoroSegment->setAccessibleName(pomodoroName);
}

} // namespace mewt
