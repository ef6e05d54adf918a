#include "cues/EndingCueModel.h"

namespace mewt {

EndingCueModel::EndingCueModel(const CatTheme& theme, QObject* parent)
    : QObject(parent)
    , currentTheme(theme)
{
}

void EndingCueModel::setCue(const EndingCue& cue, bool animated)
{
    if (cue == currentCue)
        return;
    currentCue = cue;
    Q_EMIT cueChanged(animated);
}

void EndingCueModel::setTheme(const CatTheme& theme)
{
    currentTheme = theme;
    Q_EMIT themeChanged();
}

} // namespace mewt
