#include "popover/SessionNameField.h"

#include "popover/PopoverMetrics.h"

#include <QCoreApplication>
#include <QEvent>
#include <QRegularExpression>
#include <QSignalBlocker>
#include <QTextBoundaryFinder>

namespace mewt {

namespace {
// The field's own margins round its text (2 px a side) and the cursor's width.
constexpr int hintMargins = 6;
constexpr int smallestHintPixelSize = 17;
} // namespace

QString normalizedSessionName(const QString& text)
{
    static const QRegularExpression lineBreak(QStringLiteral("\r\n|[\n\r\v\f\u0085\u2028\u2029]"));
    QString flat = text;
    flat.replace(lineBreak, QStringLiteral(" "));
    QTextBoundaryFinder graphemes(QTextBoundaryFinder::Grapheme, flat);
    int kept = 0;
    while (graphemes.toNextBoundary() >= 0) {
        if (++kept == sessionNameCharacterLimit)
            return flat.left(graphemes.position());
    }
    return flat;
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

void SessionNameField::showName(const QString& name)
{
    if (name == text())
        return;
    const QSignalBlocker quiet(this);
    const int cursor = cursorPosition();
    setText(name);
    setCursorPosition(std::min<int>(cursor, int(name.size())));
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
