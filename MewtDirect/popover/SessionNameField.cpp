#include "popover/SessionNameField.h"

#include "model/TimerSnapshot.h"
#include "popover/InlineTextField.h"
#include "popover/PopoverMetrics.h"

#include <QCoreApplication>
#include <QEvent>
#include <QRegularExpression>
#include <QTextBoundaryFinder>
#include <algorithm>

namespace mewt {

namespace {
// The field's own margins round its text (2 px a side) and the cursor's width.
constexpr int hintMargins = 6;
constexpr int smallestHintPixelSize = 17;
} // namespace

namespace {

QString withSpacesForBreaks(const QString& text)
{
    static const QRegularExpression lineBreak(QStringLiteral("\r\n|[\n\r\v\f\u0085\u2028\u2029]"));
    QString flat = text;
    flat.replace(lineBreak, QStringLiteral(" "));
    return flat;
}

// Whether the store keeps the whole text: at most 40 characters, and no more code units than it
// keeps either (a character may carry many combining marks).
bool fitsName(const QString& text)
{
    if (text.size() > maximumSessionNameCodeUnits)
        return false;
    QTextBoundaryFinder graphemes(QTextBoundaryFinder::Grapheme, text);
    int count = 0;
    while (graphemes.toNextBoundary() > 0) {
        if (++count > sessionNameCharacterLimit)
            return false;
    }
    return true;
}

} // namespace

QString normalizedSessionName(const QString& text)
{
    const QString flat = withSpacesForBreaks(text);
    QTextBoundaryFinder graphemes(QTextBoundaryFinder::Grapheme, flat);
    int kept = 0;
    while (graphemes.toNextBoundary() >= 0) {
        if (++kept == sessionNameCharacterLimit)
            return flat.left(graphemes.position());
    }
    return flat;
}

SessionNameEdit keptSessionNameEdit(const QString& before, const QString& edited, int cursor)
{
    const QString text = withSpacesForBreaks(edited);
    const int end = int(std::min(withSpacesForBreaks(edited.left(std::max(cursor, 0))).size(), text.size()));
    if (fitsName(text))
        return { text, end };
    // The edit put in what lies before the cursor after the part the two texts share; the text
    // after the cursor was there before.
    const QString tail = text.mid(end);
    if (!before.endsWith(tail)) {
        const QString cut = normalizedSessionName(text);
        return { cut, int(std::min<qsizetype>(end, cut.size())) };
    }
    const qsizetype shared = std::min<qsizetype>(end, before.size() - tail.size());
    qsizetype start = 0;
    while (start < shared && before.at(start) == text.at(start))
        ++start;
    QTextBoundaryFinder boundaries(QTextBoundaryFinder::Grapheme, text);
    boundaries.setPosition(start);
    if (!boundaries.isAtBoundary())
        start = std::max<qsizetype>(boundaries.toPreviousBoundary(), 0);
    const QString head = text.left(start);
    const QString inserted = text.mid(start, end - start);
    QTextBoundaryFinder pieces(QTextBoundaryFinder::Grapheme, inserted);
    qsizetype kept = 0;
    while (pieces.toNextBoundary() > 0 && fitsName(head + inserted.left(pieces.position()) + tail))
        kept = pieces.position();
    if (kept == 0 && !fitsName(head + tail)) {
        const QString cut = normalizedSessionName(head + tail);
        return { cut, int(std::min<qsizetype>(start, cut.size())) };
    }
    return { head + inserted.left(kept) + tail, int(start + kept) };
}

SessionNameField::SessionNameField(Qt::Alignment alignment, QWidget* parent)
    : QLineEdit(parent)
{
    setFrame(false);
    setAlignment(alignment);
    setFont(roundedFont(mainLinePixelSize, QFont::DemiBold));
    // The line keeps its height whatever size the hint takes.
    setFixedHeight(sizeHint().height());
    setAttribute(Qt::WA_MacShowFocusRect, false);
    QPalette p = palette();
    p.setColor(QPalette::Base, Qt::transparent);
    setPalette(p);
    connect(this, &QLineEdit::textEdited, this, &SessionNameField::nameEdited);
    connect(this, &QLineEdit::textChanged, this, &SessionNameField::fitFont);
    retranslate();
}

void SessionNameField::fitFont()
{
    QFont font = roundedFont(mainLinePixelSize, QFont::DemiBold);
    if (text().isEmpty()) {
        // The hint is one fixed phrase: it is made smaller rather than cut off, down to a floor. A
        // typed name scrolls, as in any field.
        const int room = contentsRect().width() - hintMargins;
        while (
            font.pixelSize() > smallestHintPixelSize && QFontMetrics(font).horizontalAdvance(placeholderText()) > room)
            font.setPixelSize(font.pixelSize() - 1);
    }
    if (font != this->font())
        setFont(font);
}

void SessionNameField::resizeEvent(QResizeEvent* event)
{
    QLineEdit::resizeEvent(event);
    fitFont();
}

void SessionNameField::showName(const QString& name, int cursor)
{
    const bool changed = name != text();
    showQuietly(*this, name, cursor);
    if (changed)
        fitFont();
}

void SessionNameField::setColors(const QColor& textColor, const QColor& placeholder)
{
    QPalette p = palette();
    p.setColor(QPalette::Text, textColor);
    p.setColor(QPalette::PlaceholderText, placeholder);
    setPalette(p);
}

void SessionNameField::retranslate()
{
    setPlaceholderText(QCoreApplication::translate("mewt", "optional name"));
    fitFont();
    setAccessibleName(QCoreApplication::translate("mewt", "optional name"));
    setAccessibleDescription(
        QCoreApplication::translate("mewt", "shown while running and in the completion notification"));
    setToolTip(
        QCoreApplication::translate("mewt", "optional name shown while running and in the completion notification")
            .toHtmlEscaped());
}

void SessionNameField::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::LanguageChange)
        retranslate();
    QLineEdit::changeEvent(event);
}

} // namespace mewt
