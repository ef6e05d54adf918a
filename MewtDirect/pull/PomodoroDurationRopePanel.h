#pragma once

#include "model/CatTheme.h"
#include "pull/PomodoroDurationPullModel.h"

#include <QWidget>

namespace mewt {

class CharacterSlotText;
class PullStatusPill;
class YarnStringSimulation;

// The floating panel of a duration pull: a strand of the cat's yarn from where the pull started to
// the pointer, with the pulled value in a pill beside the pointer. It lets every input through.
class PomodoroDurationRopePanel final : public QWidget {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(PomodoroDurationRopePanel)

public:
    static constexpr int margin = 64;

    PomodoroDurationRopePanel(
        const PomodoroDurationPullModel& model, const YarnStringSimulation& simulation, QWidget* parent = nullptr);

    // Places the panel around the pull's start, big enough for the longest pull of its kind.
    void present(const CatTheme& theme);
    // Follows the model and the strand; called after every move and every simulation frame.
    void sync();

    const CatTheme& theme() const { return currentTheme; }
    PullStatusPill& pill() const { return *valuePill; }
    CharacterSlotText& valueText() const { return *text; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QPainterPath strandPath() const;

    const PomodoroDurationPullModel& model;
    const YarnStringSimulation& simulation;
    CatTheme currentTheme = CatTheme::defaultTheme();
    CharacterSlotText* text = nullptr;
    PullStatusPill* valuePill = nullptr;
    bool composited = true;
};

} // namespace mewt
