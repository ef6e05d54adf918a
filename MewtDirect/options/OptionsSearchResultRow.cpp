#include "options/OptionsSearchResultRow.h"

#include "options/OptionsCategoryIcon.h"
#include "options/OptionsPalette.h"
#include "options/TextStyle.h"

#include <QCoreApplication>
#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QVBoxLayout>

namespace mewt {

namespace {

constexpr int iconGap = 8;
constexpr int iconTopInset = 1;
// A sidebar list's row padding, so that hits do not touch each other.
constexpr int verticalPadding = 4;
constexpr int lineGap = 1;
constexpr int titleMaximumLines = 2;

QLabel* plainLabel(const QString& text, QWidget* parent)
{
    auto* label = new QLabel(text, parent);
    label->setTextFormat(Qt::PlainText);
    return label;
}

} // namespace

OptionsSearchResultRow::OptionsSearchResultRow(OptionsSetting setting, QWidget* parent)
    : QWidget(parent)
    , shownSetting(setting)
{
    const OptionsSettingDefinition found = definition(setting);
    title = plainLabel(found.title, this);
    title->setWordWrap(true);
    title->setFont(textStyleFont(TextStyle::body));
    title->setMaximumHeight(title->fontMetrics().lineSpacing() * titleMaximumLines);
    category = plainLabel(mewt::title(found.category), this);
    category->setFont(textStyleFont(TextStyle::caption));
    category->setForegroundRole(secondaryTextRole);

    auto* texts = new QVBoxLayout;
    texts->setContentsMargins(0, 0, 0, 0);
    texts->setSpacing(lineGap);
    texts->addWidget(title);
    texts->addWidget(category);

    // The tile is painted into the room this leaves, a point below the first line's top.
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(OptionsCategoryIcon::rowInset + OptionsCategoryIcon::side + iconGap, verticalPadding,
        OptionsCategoryIcon::rowInset, verticalPadding);
    row->addLayout(texts, 1);
    setMinimumHeight(OptionsCategoryIcon::side + iconTopInset + 2 * verticalPadding);
    retranslate();
}

QRect OptionsSearchResultRow::iconRect() const
{
    return QRect(OptionsCategoryIcon::rowInset, verticalPadding + iconTopInset, OptionsCategoryIcon::side,
        OptionsCategoryIcon::side);
}

void OptionsSearchResultRow::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    OptionsCategoryIcon::paint(painter, QRectF(iconRect()), definition(shownSetting).category, palette());
}

void OptionsSearchResultRow::setChosen(bool chosen)
{
    title->setForegroundRole(chosen ? QPalette::HighlightedText : QPalette::WindowText);
    category->setForegroundRole(chosen ? QPalette::HighlightedText : secondaryTextRole);
}

void OptionsSearchResultRow::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::LanguageChange)
        retranslate();
    QWidget::changeEvent(event);
}

void OptionsSearchResultRow::retranslate()
{
    const OptionsSettingDefinition found = definition(shownSetting);
    // Read as one element: its name, and where choosing it leads.
    setAccessibleName(found.title);
    setAccessibleDescription(
        QCoreApplication::translate("mewt", "Open %1 in %2").arg(found.title, mewt::title(found.category)));
}

} // namespace mewt
