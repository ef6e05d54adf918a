#include "options/OptionsSearchEmptyState.h"

#include "artwork/Glyph.h"
#include "options/OptionsPalette.h"
#include "options/TextStyle.h"
#include "platform/ReadOnlyAccessibleText.h"

#include <QAccessible>
#include <QCoreApplication>
#include <QEvent>
#include <QLabel>
#include <QPainter>
#include <QVBoxLayout>

namespace mewt {

namespace {

constexpr int inset = 16;
constexpr int gap = 8;
constexpr int magnifierSize = 34;

QLabel* centredLabel(QWidget* parent, TextStyle style)
{
    auto* label = new QLabel(parent);
    label->setTextFormat(Qt::PlainText);
    label->setAlignment(Qt::AlignHCenter);
    label->setWordWrap(true);
    label->setFont(textStyleFont(style));
    return label;
}

// One element that reads the headline and, as its description, the hint: the two labels drawn
// inside are no elements of their own, or a reader would meet each text twice.
QAccessibleInterface* emptyStateAccessibleFactory(const QString& className, QObject* object)
{
    if (className == QLatin1String("mewt::OptionsSearchEmptyState") && object && object->isWidgetType())
        return new ReadOnlyTextWidgetAccessible(static_cast<QWidget*>(object), QAccessible::StaticText, true);
    return nullptr;
}

} // namespace

OptionsSearchEmptyState::OptionsSearchEmptyState(QWidget* parent)
    : QWidget(parent)
    , headlineLabel(centredLabel(this, TextStyle::headline))
    , hintLabel(centredLabel(this, TextStyle::callout))
{
    static const bool factoryInstalled = [] {
        QAccessible::installFactory(emptyStateAccessibleFactory);
        return true;
    }();
    Q_UNUSED(factoryInstalled);
    hintLabel->setForegroundRole(secondaryTextRole);
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(inset, inset, inset, inset);
    column->setSpacing(gap);
    column->addStretch();
    // The magnifier is painted into this room: decoration, no node of its own.
    column->addSpacing(magnifierSize);
    column->addWidget(headlineLabel);
    column->addWidget(hintLabel);
    column->addStretch();
    retranslate();
}

void OptionsSearchEmptyState::setQuery(const QString& query)
{
    if (shownQuery == query)
        return;
    shownQuery = query;
    retranslate();
}

QString OptionsSearchEmptyState::headline() const
{
    return QCoreApplication::translate("mewt", "No Results for “%1”").arg(shownQuery);
}

void OptionsSearchEmptyState::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::LanguageChange)
        retranslate();
    QWidget::changeEvent(event);
}

void OptionsSearchEmptyState::retranslate()
{
    headlineLabel->setText(headline());
    hintLabel->setText(QCoreApplication::translate("mewt", "Check the spelling or try a new search."));
    // One element for screen readers (see its accessible), as the two lines read together.
    setAccessibleName(headlineLabel->text());
    setAccessibleDescription(hintLabel->text());
}

QRectF OptionsSearchEmptyState::magnifierRect() const
{
    const qreal top = headlineLabel->geometry().top() - gap - magnifierSize;
    return QRectF((width() - magnifierSize) / 2.0, top, magnifierSize, magnifierSize);
}

void OptionsSearchEmptyState::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    Glyph::paint(painter, QStringLiteral("magnifier"), magnifierRect(), palette().color(secondaryTextRole));
}

} // namespace mewt
