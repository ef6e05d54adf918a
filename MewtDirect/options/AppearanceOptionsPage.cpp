#include "options/AppearanceOptionsPage.h"

#include "model/CatBedStore.h"
#include "model/PopoverAppearanceStore.h"
#include "model/ThemeStore.h"
#include "model/TimeDisplaySettingsStore.h"
#include "options/CatBedGridPicker.h"
#include "options/CatThemePicker.h"
#include "options/SettingBinders.h"
#include "options/SettingsForm.h"
#include "options/SettingsLabel.h"
#include "options/SettingsSection.h"

#include <QComboBox>
#include <QVBoxLayout>

namespace mewt {

namespace {

template <typename Store, typename Signal> auto observing(Store& store, Signal changed)
{
    return [&store, changed](QObject* context, std::function<void()> refresh) {
        QObject::connect(&store, changed, context, [refresh] { refresh(); });
    };
}

// An id the pickers never produce still lands somewhere sound: the tuxedo, the classic bed.
SettingBinding<QString> themeSelection(ThemeStore& store)
{
    return { [&store] { return store.selected().id; },
        [&store](const QString& id) { store.setSelected(CatTheme::withId(id)); },
        observing(store, &ThemeStore::selectedChanged) };
}

SettingBinding<QString> catBedSelection(CatBedStore& store)
{
    return { [&store] { return store.selected().id; },
        [&store](const QString& id) { store.setSelected(CatBed::withId(id)); },
        observing(store, &CatBedStore::selectedChanged) };
}

SettingBinding<QString> popoverAppearanceSelection(PopoverAppearanceStore& store)
{
    return { [&store] { return rawValue(store.selected()); },
        [&store](const QString& raw) {
            if (const auto appearance = popoverAppearanceFromRawValue(raw))
                store.setSelected(*appearance);
        },
        observing(store, &PopoverAppearanceStore::selectedChanged) };
}

SettingBinding<QString> timeDisplayStyleSelection(TimeDisplaySettingsStore& store)
{
    return { [&store] { return rawValue(store.style()); },
        [&store](const QString& raw) {
            if (const auto style = timeDisplayStyleFromRawValue(raw))
                store.setStyle(*style);
        },
        observing(store, &TimeDisplaySettingsStore::styleChanged) };
}

} // namespace

AppearanceOptionsPage::AppearanceOptionsPage(ThemeStore& themeStore, CatBedStore& catBedStore,
    PopoverAppearanceStore& popoverAppearanceStore, TimeDisplaySettingsStore& timeDisplaySettingsStore, QWidget* parent)
    : QWidget(parent)
    , settingsForm(new SettingsForm(this))
    , cats(new CatThemePicker)
    , beds(new CatBedGridPicker)
    , popover(new QComboBox)
    , timeStyle(new QComboBox)
{
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->addWidget(settingsForm);

    // Both grids show the chosen cat's accent, so choosing a cat recolours them at once.
    const auto showAccent = [this, &themeStore] {
        cats->setAccentColor(themeStore.selected().accentColor);
        beds->setAccentColor(themeStore.selected().accentColor);
    };
    showAccent();
    connect(&themeStore, &ThemeStore::selectedChanged, this, showAccent);
    bindPicker(cats, themeSelection(themeStore));
    bindPicker(beds, catBedSelection(catBedStore));

    auto* bedRow = new QWidget;
    auto* bedColumn = new QVBoxLayout(bedRow);
    bedColumn->setContentsMargins(0, 0, 0, 0);
    bedColumn->setSpacing(bedLabelGap);
    const OptionsSettingDefinition bed = definition(OptionsSetting::appearanceBed);
    bedColumn->addWidget(new SettingsLabel(bed.controlTitle, bed.description));
    bedColumn->addWidget(beds);

    SettingsSection* cat = form().addSection(QT_TRANSLATE_NOOP("mewt", "cat"));
    cat->addRow(OptionsSetting::appearanceCat, cats);
    cat->addCustomRow(OptionsSetting::appearanceBed, bedRow);

    // The names are the stored words and the styles' fixed samples, shown as they are.
    for (const PopoverAppearance appearance : allPopoverAppearances)
        popover->addItem(rawValue(appearance), rawValue(appearance));
    for (const TimeDisplayStyle style : allTimeDisplayStyles)
        timeStyle->addItem(sampleText(style), rawValue(style));

    SettingsSection* display = form().addSection(QT_TRANSLATE_NOOP("mewt", "display"));
    display->addRow(
        OptionsSetting::appearancePopover, bindChoice(popover, popoverAppearanceSelection(popoverAppearanceStore)));
    display->addRow(OptionsSetting::appearanceMenuBarTime,
        bindChoice(timeStyle, timeDisplayStyleSelection(timeDisplaySettingsStore)));
}

} // namespace mewt
