#include "options/OptionsSearchField.h"

#include "artwork/Glyph.h"
#include "options/OptionsNavigationModel.h"
#include "options/OptionsPalette.h"
#include "options/TextStyle.h"

#include <QAction>
#include <QCoreApplication>
#include <QEvent>
#include <QIcon>

namespace mewt {

namespace {

constexpr int magnifierSize = 13;

} // namespace

OptionsSearchField::OptionsSearchField(OptionsNavigationModel& navigation, QWidget* parent)
    : QLineEdit(parent)
    , navigation(navigation)
    , magnifier(new QAction(this))
{
    setFont(textStyleFont(TextStyle::body));
    setClearButtonEnabled(true);
    addAction(magnifier, QLineEdit::LeadingPosition);
    updateMagnifier();
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
    if (event->type() == QEvent::PaletteChange)
        updateMagnifier();
    QLineEdit::changeEvent(event);
}

void OptionsSearchField::retranslate()
{
    setPlaceholderText(QCoreApplication::translate("mewt", "Search"));
    setAccessibleName(QCoreApplication::translate("mewt", "Search settings"));
}

void OptionsSearchField::updateMagnifier()
{
    const QColor tint = palette().color(secondaryTextRole);
    magnifier->setIcon(QIcon(
        Glyph::pixmap(QStringLiteral("magnifier"), QSize(magnifierSize, magnifierSize), tint, devicePixelRatioF())));
}

} // namespace mewt
