#pragma once

#include <QWidget>

class QComboBox;

namespace mewt {

class CatBedGridPicker;
class CatBedStore;
class CatThemePicker;
class PopoverAppearanceStore;
class SettingsForm;
class ThemeStore;
class TimeDisplaySettingsStore;

// The appearance category: the cat and its bed, the popover's light or dark, and the top bar's
// time style. Every control reads its store and hands a user's choice to the store's setter, which
// writes only on a change; the page keeps nothing of its own.
class AppearanceOptionsPage final : public QWidget {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(AppearanceOptionsPage)

public:
    static constexpr int bedLabelGap = 8;

    AppearanceOptionsPage(ThemeStore& themeStore, CatBedStore& catBedStore,
        PopoverAppearanceStore& popoverAppearanceStore, TimeDisplaySettingsStore& timeDisplaySettingsStore,
        QWidget* parent = nullptr);

    SettingsForm& form() const { return *settingsForm; }
    CatThemePicker& catPicker() const { return *cats; }
    CatBedGridPicker& bedPicker() const { return *beds; }
    QComboBox& popoverChoice() const { return *popover; }
    QComboBox& timeStyleChoice() const { return *timeStyle; }

private:
    SettingsForm* settingsForm = nullptr;
    CatThemePicker* cats = nullptr;
    CatBedGridPicker* beds = nullptr;
    QComboBox* popover = nullptr;
    QComboBox* timeStyle = nullptr;
};

} // namespace mewt
