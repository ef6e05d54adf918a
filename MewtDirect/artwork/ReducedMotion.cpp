#include "artwork/ReducedMotion.h"

#include "platform/MotionPreference.h"

#include <QPointer>
#include <QtGlobal>

namespace mewt {

namespace {

QPointer<const MotionPreference>& installedPreference()
{
    static QPointer<const MotionPreference> preference;
    return preference;
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
    installedPreference() = preference;
}

} // namespace mewt
