#include "popover/SessionNameField.h"

#include "popover/PopoverMetrics.h"

#include <QCoreApplication>
#include <QEvent>
#include <QRegularExpression>
#include <QSignalBlocker>
#include <QTextBoundaryFinder>

namespace mewt {

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
    setAttribute(Qt::WA_MacShowFocusRect, false);
    QPalette p = palette();
    p.setColor(QPalette::Base, Qt::transparent);
    setPalette(p);
    connect(this, &QLineEdit::textEdited, this, &SessionNameField::nameEdited);
    retranslate();
}

void SessionNameField::showName(const QString& name)
{
    if (name == text())
        return;
    const QSignalBlocker quiet(this);
    const int cursor = cursorPosition();
    setText(name);
    setCursorPosition(std::min<int>(cursor, int(name.size())));
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
