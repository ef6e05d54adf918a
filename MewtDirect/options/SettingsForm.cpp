#include "options/SettingsForm.h"

#include "artwork/ReducedMotion.h"
#include "options/SettingsSection.h"

#include <QCoreApplication>
#include <QEvent>
#include <QScrollBar>
#include <QVBoxLayout>
#include <QVariantAnimation>
#include <algorithm>

namespace mewt {

SettingsForm::SettingsForm(QWidget* parent)
    : QScrollArea(parent)
    , content(new QWidget)
    , sections(new QVBoxLayout(content))
    , scrollAnimation(new QVariantAnimation(this))
{
    setFrameShape(QFrame::NoFrame);
    setWidgetResizable(true);
    // The page's controls take the keyboard; the page itself is no stop of its own.
    setFocusPolicy(Qt::NoFocus);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    sections->setContentsMargins(pageMargin, pageMargin, pageMargin, pageMargin);
    sections->setSpacing(sectionGap);
    sections->addStretch();
    setWidget(content);
    // The page shows the window's background, as the form's cards expect.
    viewport()->setAutoFillBackground(false);
    content->setAutoFillBackground(false);

    scrollAnimation->setDuration(scrollDurationMs);
    scrollAnimation->setEasingCurve(QEasingCurve::InOutCubic);
    connect(scrollAnimation, &QVariantAnimation::valueChanged, this,
        [this](const QVariant& value) { verticalScrollBar()->setValue(value.toInt()); });
}

SettingsSection* SettingsForm::addSection(const char* headerKey)
{
    auto* section = new SettingsSection(*this, headerKey, content);
    sections->insertWidget(sections->count() - 1, section);
    return section;
}

void SettingsForm::registerRow(OptionsSetting setting, QWidget* row)
{
    rows.insert(setting, row);
}

QWidget* SettingsForm::row(OptionsSetting setting) const
{
    return rows.value(setting);
}

QList<OptionsSetting> SettingsForm::registeredSettings() const
{
    QList<OptionsSetting> settings;
    for (auto it = rows.cbegin(); it != rows.cend(); ++it) {
        if (it.value())
            settings.append(it.key());
    }
    return settings;
}

std::optional<int> SettingsForm::centringScrollValue(OptionsSetting setting)
{
    QWidget* target = row(setting);
    if (target == nullptr)
        return std::nullopt;
    // A page built a moment ago has not been laid out yet; the row's place must be final first.
    content->layout()->activate();
    for (QWidget* w = target; w != content && w != nullptr; w = w->parentWidget()) {
        if (w->layout())
            w->layout()->activate();
    }
    settleLayout();
    const int rowCentre = target->mapTo(content, QPoint(0, target->height() / 2)).y();
    const int wanted = rowCentre - viewport()->height() / 2;
    return std::clamp(wanted, verticalScrollBar()->minimum(), verticalScrollBar()->maximum());
}

bool SettingsForm::scrollTo(OptionsSetting setting)
{
    const std::optional<int> target = centringScrollValue(setting);
    if (!target)
        return false;
    scrollAnimation->stop();
    if (reducesMotion() || !isVisible()) {
        verticalScrollBar()->setValue(*target);
        return true;
    }
    scrollAnimation->setStartValue(verticalScrollBar()->value());
    scrollAnimation->setEndValue(*target);
    scrollAnimation->start();
    return true;
}

void SettingsForm::settleLayout()
{
    content->layout()->activate();
    // The scroll range follows the content's new size only when the area hears of it.
    QEvent layoutRequest(QEvent::LayoutRequest);
    QCoreApplication::sendEvent(this, &layoutRequest);
}

void SettingsForm::scrollToOffset(int offset)
{
    settleLayout();
    scrollAnimation->stop();
    verticalScrollBar()->setValue(offset);
}

bool SettingsForm::isScrollAnimating() const
{
    return scrollAnimation->state() == QAbstractAnimation::Running;
}

} // namespace mewt
