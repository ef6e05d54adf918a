#pragma once

#include "model/CatTheme.h"
#include "cues/EndingCue.h"

#include <QObject>

namespace mewt {

// What the ending cue shows. A new cue is announced only when it differs; a theme always is, so
// a theme picked while the cue is up shows at the next update.
class EndingCueModel final : public QObject {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(EndingCueModel)

public:
    explicit EndingCueModel(const CatTheme& theme, QObject* parent = nullptr);

    const EndingCue& cue() const { return currentCue; }
    const CatTheme& theme() const { return currentTheme; }
    // `animated` tells the view to glide to the new cue rather than jump.
    void setCue(const EndingCue& cue, bool animated);
    void setTheme(const CatTheme& theme);

Q_SIGNALS:
    void cueChanged(bool animated);
    void themeChanged();

private:
    EndingCue currentCue;
    CatTheme currentTheme;
};

} // namespace mewt
