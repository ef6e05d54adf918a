#include "options/SettingsLabel.h"

#include "options/OptionsPalette.h"
#include "options/TextStyle.h"

#include <QLabel>
#include <QVBoxLayout>

namespace mewt {

namespace {

QLabel* wrappingLabel(QWidget* parent, TextStyle style)
{
    auto* label = new QLabel(parent);
    label->setTextFormat(Qt::PlainText);
    label->setWordWrap(true);
    label->setFont(textStyleFont(style));
    return label;
}

} // namespace

SettingsLabel::SettingsLabel(const QString& title, const std::optional<QString>& description, QWidget* parent)
    : QWidget(parent)
    , titleLabel(wrappingLabel(this, TextStyle::body))
    , descriptionLabel(wrappingLabel(this, TextStyle::caption))
{
    descriptionLabel->setForegroundRole(secondaryTextRole);
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(lineGap);
    column->addWidget(titleLabel);
    column->addWidget(descriptionLabel);
    setTexts(title, description);
}

QString SettingsLabel::title() const
{
    return titleLabel->text();
}

std::optional<QString> SettingsLabel::description() const
{
    if (descriptionLabel->isHidden())
        return std::nullopt;
    return descriptionLabel->text();
}

void SettingsLabel::setTexts(const QString& title, const std::optional<QString>& description)
{
    titleLabel->setText(title);
    // Hidden, the explanation takes no room and the layout adds no gap for it.
    descriptionLabel->setVisible(description.has_value());
    descriptionLabel->setText(description.value_or(QString()));
}

} // namespace mewt
