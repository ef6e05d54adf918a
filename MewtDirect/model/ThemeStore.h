#pragma once

#include "model/CatTheme.h"

#include <QObject>
#include <functional>

namespace mewt {

class UserDefaults;

// The selected cat theme.
class ThemeStore final : public QObject {
    Q_OBJECT

public:
    explicit ThemeStore(UserDefaults& defaults, QObject* parent = nullptr);
    Q_DISABLE_COPY_MOVE(ThemeStore)

    static inline const QString selectedKey = QStringLiteral("selectedTheme");

    const CatTheme& selected() const { return current; }
    // Does nothing when the theme has the selected one's id.
    void setSelected(const CatTheme& theme);

    std::function<void(const CatTheme&)> onSelectionChange;

Q_SIGNALS:
    void selectedChanged(const mewt::CatTheme& theme);

private:
    UserDefaults& defaults;
    CatTheme current;
};

} // namespace mewt
