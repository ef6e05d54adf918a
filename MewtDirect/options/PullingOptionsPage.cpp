#include "options/PullingOptionsPage.h"

#include "model/PullSettingsStore.h"
#include "model/ThemeStore.h"
#include "options/OptionsPalette.h"
#include "options/OptionsSetting.h"
#include "options/PullDistanceDiagram.h"
#include "options/SettingsForm.h"
#include "options/SettingsSection.h"
#include "options/SpokenValueSlider.h"
#include "options/TextStyle.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QSignalBlocker>
#include <QSlider>
#include <QVBoxLayout>
#include <cmath>

namespace mewt {

namespace {

constexpr int rowSpacing = 8;
constexpr int controlSpacing = 10;
constexpr int pointsLabelWidth = 42;

// The store keeps whole steps only, so the draft snaps to them while the slider moves freely.
int snappedDistance(int points)
{
    const int steps = int(std::lround(double(points) / PullingOptionsPage::distanceStep));
    return std::clamp(steps * PullingOptionsPage::distanceStep, PullingOptionsPage::minimumDistance,
        PullingOptionsPage::maximumDistance);
}

} // namespace

PullingOptionsPage::PullingOptionsPage(ThemeStore& themeStore, PullSettingsStore& pullSettings, QWidget* parent)
    : QWidget(parent)
    , themeStore(themeStore)
    , pullSettings(pullSettings)
    , settingsForm(new SettingsForm(this))
{
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->addWidget(settingsForm);

    state.pullStepDistanceDraft = pullSettings.stepDistancePoints();
    section = settingsForm->addSection(QT_TRANSLATE_NOOP("mewt", "pull behavior"));
    section->addCustomRow(OptionsSetting::timerStepDistance, buildDistanceRow());

    picker = new QComboBox;
    for (const PullGranularity granularity : allPullGranularities)
        picker->addItem(label(granularity), rawValue(granularity));
    section->addRow(OptionsSetting::timerPullStep, picker);
    connect(picker, &QComboBox::activated, this, [this](int index) {
        if (const auto granularity = pullGranularityFromRawValue(picker->itemData(index).toString()))
            this->pullSettings.setGranularity(*granularity);
    });

    connect(
        &pullSettings, &PullSettingsStore::stepDistancePointsChanged, this, &PullingOptionsPage::storedDistanceChanged);
    connect(&pullSettings, &PullSettingsStore::granularityChanged, this, &PullingOptionsPage::scheduleSync);
    connect(&themeStore, &ThemeStore::selectedChanged, this, &PullingOptionsPage::scheduleSync);
    retranslate();
    sync();
}

QWidget* PullingOptionsPage::buildDistanceRow()
{
    auto* row = new QWidget;
    auto* column = new QVBoxLayout(row);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(rowSpacing);
    distanceDiagram
        = new PullDistanceDiagram(shownDistance(), themeStore.selected(), secondsPerStep(pullSettings.granularity()));
    column->addWidget(distanceDiagram);

    auto* controls = new QHBoxLayout;
    controls->setSpacing(controlSpacing);
    distanceTitle = new QLabel(definition(OptionsSetting::timerStepDistance).controlTitle);
    distanceTitle->setFont(textStyleFont(TextStyle::callout));
    auto* distance = new SpokenValueSlider;
    // In points, so a screen reader reads the distance itself.
    distance->setSpokenValue(
        1, [](int points) { return QCoreApplication::translate("mewt", "%1 points").arg(points); });
    slider = distance;
    slider->setRange(minimumDistance, maximumDistance);
    slider->setSingleStep(distanceStep);
    slider->setPageStep(distanceStep);
    pointsLabel = new QLabel;
    pointsLabel->setFont(textStyleFont(TextStyle::callout));
    pointsLabel->setForegroundRole(secondaryTextRole);
    pointsLabel->setFixedWidth(pointsLabelWidth);
    pointsLabel->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    controls->addWidget(distanceTitle);
    controls->addWidget(slider, 1);
    controls->addWidget(pointsLabel);
    column->addLayout(controls);

    connect(slider, &QSlider::sliderPressed, this, &PullingOptionsPage::beginDrag);
    connect(slider, &QSlider::sliderMoved, this, &PullingOptionsPage::moveDraft);
    connect(slider, &QSlider::sliderReleased, this, &PullingOptionsPage::endDrag);
    connect(slider, &QSlider::actionTriggered, this, [this](int action) {
        // A track click or a key is a finished choice; a drag waits for its release.
        if (slider->isSliderDown() || action == QAbstractSlider::SliderMove)
            return;
        QMetaObject::invokeMethod(
            this, [this] { commit(snappedDistance(slider->value())); }, Qt::QueuedConnection);
    });
    return row;
}

int PullingOptionsPage::shownDistance() const
{
    return int(std::lround(state.pullStepDistanceDraft.value_or(pullSettings.stepDistancePoints())));
}

QString PullingOptionsPage::distanceText() const
{
    return QCoreApplication::translate("mewt", "%1 pt").arg(shownDistance());
}

QString PullingOptionsPage::footer() const
{
    return QStringLiteral("every %1 pt adds %2. keep pulling to add more time; there is no preset maximum.")
        .arg(QString::number(shownDistance()), label(pullSettings.granularity()));
}

void PullingOptionsPage::beginDrag()
{
    state.isEditingPullStepDistance = true;
    if (!state.pullStepDistanceDraft)
        state.pullStepDistanceDraft = pullSettings.stepDistancePoints();
}

void PullingOptionsPage::moveDraft(int position)
{
    state.pullStepDistanceDraft = snappedDistance(position);
    sync();
}

void PullingOptionsPage::endDrag()
{
    state.isEditingPullStepDistance = false;
    commit(shownDistance());
}

void PullingOptionsPage::commit(int points)
{
    pullSettings.setStepDistancePoints(points);
    // The store may have rounded; show what it keeps, also when it wrote nothing.
    state.pullStepDistanceDraft = pullSettings.stepDistancePoints();
    sync();
}

void PullingOptionsPage::storedDistanceChanged()
{
    if (state.isEditingPullStepDistance)
        return; // the user's draft stays until the drag ends
    state.pullStepDistanceDraft = pullSettings.stepDistancePoints();
    scheduleSync();
}

void PullingOptionsPage::scheduleSync()
{
    if (!std::exchange(syncPending, true))
        QMetaObject::invokeMethod(this, &PullingOptionsPage::sync, Qt::QueuedConnection);
}

void PullingOptionsPage::sync()
{
    syncPending = false;
    const int points = shownDistance();
    if (!slider->isSliderDown()) {
        const QSignalBlocker quiet(slider);
        slider->setValue(points);
    }
    {
        const QSignalBlocker quiet(picker);
        picker->setCurrentIndex(picker->findData(rawValue(pullSettings.granularity())));
    }
    pointsLabel->setText(distanceText());
    distanceDiagram->setPoints(points);
    distanceDiagram->setTheme(themeStore.selected());
    distanceDiagram->setTimerStepSeconds(secondsPerStep(pullSettings.granularity()));
    section->setFooter(footer());
}

void PullingOptionsPage::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    // Each visit starts from the stored distance.
    if (!state.isEditingPullStepDistance) {
        state.pullStepDistanceDraft = pullSettings.stepDistancePoints();
        sync();
    }
}

void PullingOptionsPage::retranslate()
{
    slider->setAccessibleName(QCoreApplication::translate("mewt", "distance per step"));
}

void PullingOptionsPage::changeEvent(QEvent* event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::LanguageChange) {
        retranslate();
        sync();
    }
}

} // namespace mewt
