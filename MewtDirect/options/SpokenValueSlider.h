#pragma once

#include <QSlider>
#include <functional>

namespace mewt {

// A slider whose screen-reader value is in the user's units: a volume of 20 positions reads as a
// percent, a distance as points. The screen reader also sets it in those units.
class SpokenValueSlider final : public QSlider {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(SpokenValueSlider)

public:
    explicit SpokenValueSlider(QWidget* parent = nullptr);

    // `unitsPerPosition` turns a position into the number spoken; `text` words a position.
    void setSpokenValue(int unitsPerPosition, std::function<QString(int position)> text);
    int unitsPerPosition() const { return units; }
    QString spokenText() const;

private:
    int units = 1;
    std::function<QString(int)> wording;
};

} // namespace mewt
