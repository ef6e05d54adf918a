#pragma once

#include "options/OptionsCategory.h"

#include <QList>

namespace mewt {

// The visited pages, oldest first, and where the user stands in them. Never empty.
struct OptionsNavigationHistory {
    QList<OptionsCategory> entries { OptionsCategory::general };
    qsizetype index = 0;

    OptionsCategory current() const { return entries.at(index); }
    bool canGoBack() const { return index > 0; }
    bool canGoForward() const { return index < entries.size() - 1; }

    // Drops the pages ahead of the current one and appends the category, unless it is current.
    void push(OptionsCategory category)
    {
        if (current() == category)
            return;
        entries.resize(index + 1);
        entries.append(category);
        index = entries.size() - 1;
    }

    bool operator==(const OptionsNavigationHistory&) const = default;
};

} // namespace mewt
