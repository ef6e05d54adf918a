#include "OptionsRig.h"
#include "model/InterfaceSettingsStore.h"
#include "options/OptionsCategoryIcon.h"
#include "options/OptionsNavigationModel.h"
#include "options/OptionsPalette.h"
#include "options/OptionsSearchEmptyState.h"
#include "options/OptionsSearchField.h"
#include "options/OptionsSearchResultRow.h"
#include "options/PomodoroNumberSettingRow.h"
#include "options/SettingBinders.h"
#include "options/SettingsForm.h"
#include "options/SettingsSection.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QHBoxLayout>
#include <QPainter>
#include <QSlider>
#include <QStyleFactory>
#include <QVBoxLayout>
#include <gtest/gtest.h>

using namespace mewt;
using mewt::testing::OptionsRig;

namespace {

constexpr int sidebarWidth = 200;
constexpr int detailWidth = 540;
constexpr int galleryHeight = 620;

// The six category tiles side by side.
class CategoryStrip final : public QWidget {
public:
    CategoryStrip() { setFixedHeight(OptionsCategoryIcon::side); }
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        qreal x = 0;
        for (const OptionsCategory category : allOptionsCategories) {
            OptionsCategoryIcon::paint(
                painter, QRectF(x, 0, OptionsCategoryIcon::side, OptionsCategoryIcon::side), category, palette());
            x += OptionsCategoryIcon::side + 6;
        }
    }
};

// The pieces as the options window will hold them: a sidebar with the search field, hits and the
// empty state, and a page of every kind of row. Set MEWT_GALLERY_DIR to keep the pictures.
class Gallery : public ::testing::TestWithParam<bool> {
protected:
    void SetUp() override
    {
        QApplication::setStyle(QStyleFactory::create("Fusion"));
        window.setPalette(optionsPalette(GetParam()));
        window.setAutoFillBackground(true);
        auto* columns = new QHBoxLayout(&window);
        columns->setContentsMargins(0, 0, 0, 0);

        auto* sidebar = new QWidget;
        sidebar->setFixedWidth(sidebarWidth);
        auto* sideColumn = new QVBoxLayout(sidebar);
        sideColumn->addWidget(new OptionsSearchField(navigation));
        sideColumn->addWidget(new CategoryStrip);
        for (const OptionsSetting hit : searchResults("min", { 2 }))
            sideColumn->addWidget(new OptionsSearchResultRow(hit));
        auto* empty = new OptionsSearchEmptyState;
        empty->setQuery("cats <b>and</b> dogs");
        sideColumn->addWidget(empty, 1);
        columns->addWidget(sidebar);

        form = new SettingsForm;
        form->setFixedWidth(detailWidth);
        SettingsSection* defaults = form->addSection("timer defaults");
        defaults->addCustomRow(OptionsSetting::timerQuickTime,
            new PomodoroNumberSettingRow("quick start time", QString("used by Start or Return in Timer mode"), "min",
                rig.quickTimeMinutes(), { 5, 120 }, 5, true));
        defaults->addCustomRow(OptionsSetting::pomodoroLongBreak,
            new PomodoroNumberSettingRow("long break", std::nullopt, "minutes",
                rig.minutes(&PomodoroConfiguration::longBreakSeconds), { 5, 60 }, 1, false));
        SettingsSection* controls = form->addSection("popover");
        controls->addRow(OptionsSetting::appearanceZenMode,
            bindToggle(new QCheckBox,
                bindSetting<bool>(interface, &InterfaceSettingsStore::isZenModeEnabled,
                    &InterfaceSettingsStore::setIsZenModeEnabled, &InterfaceSettingsStore::isZenModeEnabledChanged)));
        auto* sounds = new QComboBox;
        for (const CompletionSound sound : allCompletionSounds)
            sounds->addItem(displayName(sound), rawValue(sound));
        controls->addRow(OptionsSetting::soundsCompletion, sounds);
        auto* distance = new QSlider(Qt::Horizontal);
        distance->setRange(20, 140);
        distance->setFixedWidth(150);
        controls->addRow(OptionsSetting::timerStepDistance,
            bindSlider(distance,
                bindSetting<int>(rig.pull, &PullSettingsStore::stepDistancePoints,
                    &PullSettingsStore::setStepDistancePoints, &PullSettingsStore::stepDistancePointsChanged)));
        controls->setFooter("changes apply to future phases while continuous mode is running");
        columns->addWidget(form);

        window.resize(sidebarWidth + detailWidth, galleryHeight);
        window.show();
        QCoreApplication::processEvents();
    }

    OptionsRig rig;
    InterfaceSettingsStore interface {
        rig.defaults, { AppLanguage::system }
    };
    OptionsNavigationModel navigation { [] { return OptionsSettingsAvailability { 2 }; } };
    QWidget window;
    SettingsForm* form = nullptr;
};

// Nothing a row holds may reach past the page's edge or onto its neighbour.
TEST_P(Gallery, EveryRowFitsThePage)
{
    const QRect page = form->viewport()->rect();
    for (const OptionsSetting setting : form->registeredSettings()) {
        QWidget* row = form->row(setting);
        const QRect rowInPage(row->mapTo(form->viewport(), QPoint()), row->size());
        EXPECT_TRUE(page.contains(rowInPage)) << rawValue(setting).toStdString();
        for (QWidget* child : row->findChildren<QWidget*>()) {
            if (child->isVisible()) {
                EXPECT_TRUE(row->rect().contains(QRect(child->mapTo(row, QPoint()), child->size())))
                    << rawValue(setting).toStdString() << " " << child->metaObject()->className();
            }
        }
    }
    const QString folder = qEnvironmentVariable("MEWT_GALLERY_DIR");
    if (!folder.isEmpty()) {
        QDir().mkpath(folder);
        window.grab().save(QDir(folder).filePath(GetParam() ? "options-dark.png" : "options-light.png"));
    }
}

INSTANTIATE_TEST_SUITE_P(Appearances, Gallery, ::testing::Bool(),
    [](const ::testing::TestParamInfo<bool>& info) { return std::string(info.param ? "Dark" : "Light"); });

} // namespace
