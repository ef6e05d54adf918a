#include "options/OptionsSearchField.h"

#include "artwork/Glyph.h"
#include "options/OptionsNavigationModel.h"
#include "options/OptionsPalette.h"
#include "options/TextStyle.h"

#include <QAbstractButton>
#include <QAction>
#include <QCoreApplication>
#include <QEvent>
#include <QPainter>

namespace mewt {

namespace {

constexpr int magnifierSize = 13;
// The room a leading icon of the field would take: the glyph and a margin on either side.
constexpr int magnifierRoom = 22;

} // namespace

OptionsSearchField::OptionsSearchField(OptionsNavigationModel& navigation, QWidget* parent)
    : QLineEdit(parent)
    , navigation(navigation)
{
    setFont(textStyleFont(TextStyle::body));
    setClearButtonEnabled(true);
    setTextMargins(magnifierRoom, 0, 0, 0);
    connect(this, &QLineEdit::textEdited, &navigation, &OptionsNavigationModel::updateSearchText);
    connect(&navigation, &OptionsNavigationModel::searchTextChanged, this, &OptionsSearchField::sync);
    retranslate();
    sync();
}

void OptionsSearchField::sync()
{
    if (text() == navigation.searchText())
        return;
    // Unblocked: the clear button follows `textChanged`. Only `textEdited` writes back, and setText()
    // does not emit it.
    setText(navigation.searchText());
}

void OptionsSearchField::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::LanguageChange)
        retranslate();
    QLineEdit::changeEvent(event);
}

void OptionsSearchField::retranslate()
{
    setPlaceholderText(QCoreApplication::translate("mewt", "Search"));
    setAccessibleName(QCoreApplication::translate("mewt", "Search settings"));
    // The clear button is the one action the field owns; its button is what a screen reader meets.
    for (const QAction* action : findChildren<QAction*>(Qt::FindDirectChildrenOnly))
        for (QObject* shown : action->associatedObjects())
            if (auto* button = qobject_cast<QAbstractButton*>(shown))
                button->setAccessibleName(QCoreApplication::translate("mewt", "clear search"));
}

void OptionsSearchField::paintEvent(QPaintEvent* event)
{
    QLineEdit::paintEvent(event);
    QPainter painter(this);
    QRect glyph(0, 0, magnifierSize, magnifierSize);
    glyph.moveCenter(QRect(0, 0, magnifierRoom, height()).center());
    Glyph::paint(painter, QStringLiteral("magnifier"), glyph, palette().color(secondaryTextRole));
}

} // namespace mewt
