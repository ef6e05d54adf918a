#pragma once

#include <functional>

class QObject;

namespace mewt {

class MotionPreference;

// The one answer every animated piece asks before it moves: the preference the shell installs, or,
// before that, MEWT_REDUCED_MOTION=1 in the environment. Read at each animation start, so a change
// of the desktop setting applies to the next one.
bool reducesMotion();

// The shell's preference; it must outlive every caller of reducesMotion (pass null to forget it).
void setMotionPreference(const MotionPreference* preference);

// Runs `onChange` whenever the answer changes (the desktop's setting, or another preference
// installed), for as long as `context` lives: for what stands still, or moves, between animations.
void whenReducedMotionChanges(const QObject* context, std::function<void()> onChange);

} // namespace mewt
