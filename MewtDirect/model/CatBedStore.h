#pragma once

#include "model/CatBed.h"

#include <QObject>

namespace mewt {

class UserDefaults;

// The selected cat bed.
class CatBedStore final : public QObject {
    Q_OBJECT

public:
    explicit CatBedStore(UserDefaults& defaults, QObject* parent = nullptr);
    Q_DISABLE_COPY_MOVE(CatBedStore)

    static inline const QString selectedKey = QStringLiteral("selectedCatBed");

    const CatBed& selected() const { return current; }
    // Does nothing when the bed has the selected one's id.
    void setSelected(const CatBed& bed);

Q_SIGNALS:
    void selectedChanged(const mewt::CatBed& bed);

private:
    UserDefaults& defaults;
    CatBed current;
};

} // namespace mewt
