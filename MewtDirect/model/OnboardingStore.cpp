#include "model/OnboardingStore.h"

#include "platform/UserDefaults.h"

namespace mewt {

std::optional<OnboardingStore::Step> OnboardingStore::stepFromRawValue(qint64 raw)
{
    if (raw < 0 || raw >= stepCount)
        return std::nullopt;
    return static_cast<Step>(raw);
}

OnboardingStore::OnboardingStore(UserDefaults& defaults, QObject* parent)
    : QObject(parent)
    , defaults(defaults)
{
}

void OnboardingStore::setStep(Step step)
{
    if (step == currentStep)
        return;
    currentStep = step;
    Q_EMIT stepChanged(step);
}

bool OnboardingStore::advance()
{
    if (const auto next = stepFromRawValue(static_cast<int>(currentStep) + 1)) {
        setStep(*next);
        return false;
    }
    complete();
    return true;
}

void OnboardingStore::back()
{
    if (const auto previous = stepFromRawValue(static_cast<int>(currentStep) - 1))
        setStep(*previous);
}

void OnboardingStore::complete()
{
    defaults.setInt(completionKey, version);
    setPresented(false);
    setStep(Step::meet);
}

void OnboardingStore::setPresented(bool value)
{
    if (value == presented)
        return;
    presented = value;
    Q_EMIT isPresentedChanged(value);
    if (onPresentationChange)
        onPresentationChange(value);
}

bool OnboardingStore::presentIfNeeded()
{
    // A value that is not a whole number cannot be a version we wrote: show the tour.
    const qint64 stored = defaults.intValue(completionKey).value_or(0);
    if (stored >= version)
        return false;
    setStep(Step::meet);
    setPresented(true);
    return true;
}

} // namespace mewt
