#pragma once

#include "model/PopoverAppearance.h"

#include <QObject>

namespace mewt {

class UserDefaults;

// The chosen popover appearance.
class PopoverAppearanceStore final : public QObject {
    Q_OBJECT

public:
    explicit PopoverAppearanceStore(UserDefaults& defaults, QObject* parent = nullptr);
    Q_DISABLE_COPY_MOVE(PopoverAppearanceStore)

    static inline const QString selectedKey = QStringLiteral("popoverAppearance");

    PopoverAppearance selected() const { return current; }
    void setSelected(PopoverAppearance appearance);

Q_SIGNALS:
    void selectedChanged(mewt::PopoverAppearance appearance);

private:
    UserDefaults& defaults;
    PopoverAppearance current = PopoverAppearance::system;
};

} // namespace mewt
