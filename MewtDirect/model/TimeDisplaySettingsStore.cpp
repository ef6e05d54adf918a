#include "model/TimeDisplaySettingsStore.h"

#include "model/SettingsLoading.h"
#include "platform/UserDefaults.h"

namespace mewt {

TimeDisplaySettingsStore::TimeDisplaySettingsStore(UserDefaults& defaults, QObject* parent)
    : QObject(parent)
    , defaults(defaults)
{
    current = loadEnum(defaults, styleKey, TimeDisplayStyle::compact, timeDisplayStyleFromRawValue,
        [](TimeDisplayStyle style) { return rawValue(style); });
}

void TimeDisplaySettingsStore::setStyle(TimeDisplayStyle style)
{
    if (style == current)
        return;
    current = style;
    defaults.setString(styleKey, rawValue(style));
    Q_EMIT styleChanged(style);
    if (onChange)
        onChange(style);
}

} // namespace mewt
