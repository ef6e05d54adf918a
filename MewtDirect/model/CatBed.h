#pragma once

#include <QString>
#include <vector>

namespace mewt {

// One of the beds the cat can sleep in; `spriteIndex` is its cell in the "cat-bed" sprite sheet.
struct CatBed {
    QString id;
    QString name;
    int spriteIndex = 0;

    // sofa, basket, cloud, lounger, classic, donut, wingback, nest: sprite cells 0 to 7.
    static const std::vector<CatBed>& all();
    // The classic bed.
    static const CatBed& defaultBed();
    // The bed with that id, or the classic bed when there is none.
    static const CatBed& withId(const QString& id);

    bool operator==(const CatBed&) const = default;
};

} // namespace mewt
