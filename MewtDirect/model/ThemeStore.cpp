#include "model/ThemeStore.h"

#include "platform/UserDefaults.h"

namespace mewt {

ThemeStore::ThemeStore(UserDefaults& defaults, QObject* parent)
    : QObject(parent)
    , defaults(defaults)
    , current(CatTheme::defaultTheme())
{
    if (!defaults.contains(selectedKey))
        return;
    const auto id = defaults.stringValue(selectedKey);
    current = CatTheme::withId(id.value_or(QString()));
    if (id != current.id)
        defaults.setString(selectedKey, current.id);
}

void ThemeStore::setSelected(const CatTheme& theme)
{
    if (theme.id == current.id)
        return;
    current = theme;
    defaults.setString(selectedKey, theme.id);
    Q_EMIT selectedChanged(current);
    if (onSelectionChange)
        onSelectionChange(current);
}

} // namespace mewt
