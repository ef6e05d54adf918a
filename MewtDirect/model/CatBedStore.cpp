#include "model/CatBedStore.h"

#include "platform/UserDefaults.h"

namespace mewt {

CatBedStore::CatBedStore(UserDefaults& defaults, QObject* parent)
    : QObject(parent)
    , defaults(defaults)
    , current(CatBed::defaultBed())
{
    if (!defaults.contains(selectedKey))
        return;
    const auto id = defaults.stringValue(selectedKey);
    current = CatBed::withId(id.value_or(QString()));
    if (id != current.id)
        defaults.setString(selectedKey, current.id);
}

void CatBedStore::setSelected(const CatBed& bed)
{
    if (bed.id == current.id)
        return;
    current = bed;
    defaults.setString(selectedKey, bed.id);
    Q_EMIT selectedChanged(current);
}

} // namespace mewt
