#include "model/CatBed.h"

#include <QStringList>
#include <algorithm>

namespace mewt {

const std::vector<CatBed>& CatBed::all()
{
    static const std::vector<CatBed> beds = [] {
        const QStringList names = { QStringLiteral("sofa"), QStringLiteral("basket"), QStringLiteral("cloud"),
            QStringLiteral("lounger"), QStringLiteral("classic"), QStringLiteral("donut"), QStringLiteral("wingback"),
            QStringLiteral("nest") };
        std::vector<CatBed> list;
        for (int index = 0; index < names.size(); ++index)
            list.push_back(CatBed { names.at(index), names.at(index), index });
        return list;
    }();
    return beds;
}

const CatBed& CatBed::defaultBed()
{
    return all().at(4);
}

const CatBed& CatBed::withId(const QString& id)
{
    const auto& beds = all();
    const auto it = std::find_if(beds.begin(), beds.end(), [&](const CatBed& bed) { return bed.id == id; });
    return it != beds.end() ? *it : defaultBed();
}

} // namespace mewt
