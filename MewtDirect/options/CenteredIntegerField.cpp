#include "options/CenteredIntegerField.h"

#include <QFontDatabase>
#include <QRegularExpressionValidator>
#include <QSignalBlocker>
#include <algorithm>

namespace mewt {

namespace {

// Nine digits always fit an int, so no typed number can overflow.
const QRegularExpression digitsOnly(QStringLiteral("[0-9]{0,9}"));

} // namespace

CenteredIntegerField::CenteredIntegerField(SettingBinding<int> binding, int minimum, int maximum, QWidget* parent)
    : QLineEdit(parent)
    , binding(std::move(binding))
    , lowest(std::min(minimum, maximum))
    , highest(std::max(minimum, maximum))
{
    // Accepts any digits: a range validator would refuse to commit "75" in 1...60 instead of
    // holding it to 60.
    setValidator(new QRegularExpressionValidator(digitsOnly, this));
    setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    connect(this, &QLineEdit::textEdited, this, [this] { edited = true; });
    connect(this, &QLineEdit::returnPressed, this, &CenteredIntegerField::apply);
    connect(this, &QLineEdit::editingFinished, this, &CenteredIntegerField::apply);
    this->binding.observe(this, [this] { sync(); });
    show(this->binding.read());
}

void CenteredIntegerField::setRange(int minimum, int maximum)
{
    lowest = std::min(minimum, maximum);
    highest = std::max(minimum, maximum);
}

int CenteredIntegerField::heldValue() const
{
    return std::clamp(text().toInt(), lowest, highest);
}

void CenteredIntegerField::apply()
{
    if (edited)
        binding.write(heldValue());
    // Also after an untouched Return or Tab, so a store change that waited for the end of editing shows.
    edited = false;
    show(binding.read());
}

void CenteredIntegerField::sync()
{
    if (hasFocus() && edited)
        return;
    show(binding.read());
}

void CenteredIntegerField::show(int value)
{
    const QString shown = QString::number(value);
    if (text() == shown)
        return;
    const QSignalBlocker quiet(this);
    setText(shown);
    edited = false;
}

} // namespace mewt
