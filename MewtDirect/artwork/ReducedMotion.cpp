#include "artwork/ReducedMotion.h"

#include "platform/MotionPreference.h"

#include <QPointer>
#include <QtGlobal>
#include <vector>

namespace mewt {

namespace {

struct Listener {
    QPointer<const QObject> context;
    std::function<void()> onChange;
};

QPointer<const MotionPreference>& installedPreference()
{
    static QPointer<const MotionPreference> preference;
    return preference;
}

std::vector<Listener>& listeners()
{
    static std::vector<Listener> all;
    return all;
}

void forgetEnded()
{
    std::erase_if(listeners(), [](const Listener& listener) { return !listener.context; });
}

void notifyListeners()
{
    forgetEnded();
    // A listener may add another; those added now hear the next change.
    const std::vector<Listener> now = listeners();
    for (const Listener& listener : now) {
        if (listener.context)
            listener.onChange();
    }
}

} // namespace

bool reducesMotion()
{
    if (const MotionPreference* preference = installedPreference().data())
        return preference->reducesMotion();
    return qgetenv("MEWT_REDUCED_MOTION").trimmed() == "1";
}

void setMotionPreference(const MotionPreference* preference)
{
    const bool before = reducesMotion();
    if (const MotionPreference* old = installedPreference().data())
        QObject::disconnect(old, &MotionPreference::reducesMotionChanged, old, nullptr);
    installedPreference() = preference;
    if (preference)
        QObject::connect(preference, &MotionPreference::reducesMotionChanged, preference, &notifyListeners);
    if (reducesMotion() != before)
        notifyListeners();
}

void whenReducedMotionChanges(const QObject* context, std::function<void()> onChange)
{
    if (!context || !onChange)
        return;
    forgetEnded();
    listeners().push_back({ context, std::move(onChange) });
}

} // namespace mewt
