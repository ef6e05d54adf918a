#pragma once

#include <QObject>
#include <functional>
#include <optional>

namespace mewt {

class UserDefaults;

// The welcome tour's progress: whether it shows, on which step, and whether it was completed.
class OnboardingStore final : public QObject {
    Q_OBJECT

public:
    enum class Step { meet = 0, pull = 1, pause = 2, notifications = 3 };
    static constexpr int stepCount = 4;
    // The step with that raw value; none for anything outside 0...3.
    static std::optional<Step> stepFromRawValue(qint64 raw);

    static inline const QString completionKey = QStringLiteral("onboardingVersion");
    // Stored versions below this one show the tour again.
    static constexpr int version = 3;

    explicit OnboardingStore(UserDefaults& defaults, QObject* parent = nullptr);
    Q_DISABLE_COPY_MOVE(OnboardingStore)

    bool isPresented() const { return presented; }
    Step step() const { return currentStep; }
    // Not persisted: a tour always begins at `meet`.
    void setStep(Step step);

    // Moves to the next step and returns false, or completes the tour on the last one and returns true.
    bool advance();
    // Moves to the previous step; nothing on `meet`.
    void back();
    // Records the tour as completed, hides it and returns to `meet`.
    void complete();
    void setPresented(bool value);
    // Shows the tour from `meet` when the stored version is older than this one; returns whether it did.
    bool presentIfNeeded();

    std::function<void(bool)> onPresentationChange;

Q_SIGNALS:
    void isPresentedChanged(bool value);
    void stepChanged(mewt::OnboardingStore::Step step);

private:
    UserDefaults& defaults;
    bool presented = false;
    Step currentStep = Step::meet;
};

} // namespace mewt
