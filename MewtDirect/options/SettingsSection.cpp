#include "options/SettingsSection.h"

#include "options/OptionsPalette.h"
#include "options/SettingsForm.h"
#include "options/SettingsRow.h"
#include "options/TextStyle.h"

#include <QCoreApplication>
#include <QEvent>
#include <QLabel>
#include <QPainter>
#include <QVBoxLayout>

namespace mewt {

namespace {

constexpr int headerGap = 6;
constexpr int headerInset = 10;

QLabel* captionLabel(QWidget* parent, TextStyle style)
{
    auto* label = new QLabel(parent);
    label->setTextFormat(Qt::PlainText);
    label->setWordWrap(true);
    label->setFont(textStyleFont(style));
    label->setContentsMargins(headerInset, 0, headerInset, 0);
    label->hide();
    return label;
}

} // namespace

SettingsSection::SettingsSection(SettingsForm& form, const char* headerKey, QWidget* parent)
    : QWidget(parent)
    , form(form)
    , headerKey(headerKey)
    , header(captionLabel(this, TextStyle::headline))
    , card(new QWidget(this))
    , cardRows(new QVBoxLayout(card))
    , footer(captionLabel(this, TextStyle::caption))
{
    footer->setForegroundRole(secondaryTextRole);
    cardRows->setContentsMargins(cardPadding, cardPadding, cardPadding, cardPadding);
    cardRows->setSpacing(rowGap);

    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(headerGap);
    column->addWidget(header);
    column->addWidget(card);
    column->addWidget(footer);
    retranslate();
}

QWidget* SettingsSection::addRow(OptionsSetting setting, QWidget* control)
{
    return addCustomRow(setting, new SettingsRow(setting, control));
}

QWidget* SettingsSection::addTitledRow(OptionsSetting setting, QWidget* control)
{
    return addCustomRow(setting, new SettingsRow(setting, control, SettingsRow::Label::titleOnly));
}

QWidget* SettingsSection::addCustomRow(OptionsSetting setting, QWidget* row)
{
    addLine(row);
    form.registerRow(setting, row);
    return row;
}

QWidget* SettingsSection::addLine(QWidget* line)
{
    line->setParent(card);
    cardRows->addWidget(line);
    rows.append(line);
    update();
    return line;
}

void SettingsSection::setHeaderWidget(QWidget* widget)
{
    header->hide();
    headerKey = nullptr;
    widget->setContentsMargins(headerInset, 0, headerInset, 0); // aligned with text headers
    static_cast<QVBoxLayout*>(layout())->insertWidget(0, widget);
}

void SettingsSection::setHeaderText(const QString& text)
{
    headerKey = nullptr;
    header->setText(text);
    header->show();
}

void SettingsSection::setFooter(const QString& text)
{
    footer->setText(text);
    footer->setVisible(!text.isEmpty());
}

void SettingsSection::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::LanguageChange)
        retranslate();
    QWidget::changeEvent(event);
}

void SettingsSection::retranslate()
{
    if (headerKey == nullptr)
        return;
    header->setText(QCoreApplication::translate("mewt", headerKey));
    header->show();
}

QRect SettingsSection::cardRect() const
{
    return card->geometry();
}

void SettingsSection::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF box = QRectF(cardRect()).adjusted(0.5, 0.5, -0.5, -0.5);
    painter.setPen(QPen(separatorColor(palette()), 1));
    painter.setBrush(cardColor(palette()));
    painter.drawRoundedRect(box, cornerRadius, cornerRadius);
    // Hairlines halfway between neighbouring rows.
    painter.setRenderHint(QPainter::Antialiasing, false);
    for (qsizetype i = 1; i < rows.size(); ++i) {
        if (rows.at(i)->isHidden())
            continue;
        const int y = card->y() + rows.at(i)->geometry().top() - rowGap / 2;
        painter.drawLine(card->x() + cardPadding, y, card->geometry().right() - cardPadding, y);
    }
}

} // namespace mewt
