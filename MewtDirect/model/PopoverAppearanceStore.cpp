#include "model/PopoverAppearanceStore.h"

#include "model/SettingsLoading.h"
#include "platform/UserDefaults.h"

namespace mewt {

PopoverAppearanceStore::PopoverAppearanceStore(UserDefaults& defaults, QObject* parent)
    : QObject(parent)
    , defaults(defaults)
{
    current = loadEnum(defaults, selectedKey, PopoverAppearance::system, popoverAppearanceFromRawValue,
        [](PopoverAppearance appearance) { return rawValue(appearance); });
}

void PopoverAppearanceStore::setSelected(PopoverAppearance appearance)
{
    if (appearance == current)
        return;
    current = appearance;
    defaults.setString(selectedKey, rawValue(appearance));
    Q_EMIT selectedChanged(appearance);
}

} // namespace mewt
