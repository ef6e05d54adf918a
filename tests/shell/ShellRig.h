#pragma once

#include "shell/AppCoordinator.h"
#include "model/OnboardingStore.h"
#include "platform/MemoryUserDefaults.h"
#include "model/NotificationScheduling.h"
#include "shell/PawStatusView.h"
#include "model/TimerSnapshot.h"

#include <QTemporaryDir>
#include <algorithm>
#include <functional>
#include <gtest/gtest.h>
#include <optional>
#include <vector>

namespace mewt::testing {

// Records what the shell asks of the notification service. At quit it answers at once, when the
// test calls finishQuit, or never, like a server that hangs.
class FakeScheduler final : public NotificationScheduling {
public:
    enum class QuitAnswer { atOnce, whenTold, never };
    struct Request {
        Date at;
        CompletionNotification notification;
        bool requestingAuthorization = false;
    };

    void schedule(Date at, const CompletionNotification& notification, bool requestingAuthorization) override
    {
        requests.push_back({ at, notification, requestingAuthorization });
        calls.push_back("schedule");
    }
    void cancelPending() override { calls.push_back("cancelPending"); }
    void refreshSettings() override { calls.push_back("refreshSettings"); }
    void requestPermission() override { calls.push_back("requestPermission"); }
    void refreshAuthorization(bool, std::function<void(bool)> completion) override { completion(false); }
    void cancelPendingForQuit(std::function<void()> completion) override
    {
        calls.push_back("cancelPendingForQuit");
        if (onQuitRequest)
            onQuitRequest();
        if (quitAnswer == QuitAnswer::atOnce)
            completion();
        else if (quitAnswer == QuitAnswer::whenTold)
            quitCompletion = std::move(completion);
    }

    int count(const std::string& call) const { return static_cast<int>(std::count(calls.begin(), calls.end(), call)); }
    void finishQuit()
    {
        if (auto completion = std::exchange(quitCompletion, nullptr))
            completion();
    }

    QuitAnswer quitAnswer = QuitAnswer::atOnce;
    // Runs when the quit reaches the service, to look at what had happened by then.
    std::function<void()> onQuitRequest;
    std::vector<std::string> calls;
    std::vector<Request> requests;
    std::function<void()> quitCompletion;
};

// Settings in memory, a driven clock, a fake notification service, a sound engine that only
// records, and a private autostart folder.
struct ShellRig {
    MemoryUserDefaults defaults;
    ManualClock clock;
    FakeScheduler scheduler;
    QTemporaryDir home;

    // A returning user, who has been through the welcome tour; a first launch removes this.
    ShellRig() { defaults.seed(OnboardingStore::completionKey, OnboardingStore::version); }

    AppCoordinator::Services services()
    {
        AudioEngine::Options audio;
        audio.offline = true;
        audio.keepCommandLog = true;
        return { defaults, clock, &scheduler, nullptr, audio, home.filePath(QStringLiteral("autostart/mewt.desktop")) };
    }

    void seedSnapshot(const TimerSnapshot& snapshot)
    {
        defaults.seed(timerSnapshotKey, *encodeTimerSnapshot(snapshot));
    }

    TimerSnapshot storedSnapshot() const
    {
        const auto data = defaults.dataValue(timerSnapshotKey);
        return data ? decodeTimerSnapshot(*data, clock.now()) : TimerSnapshot();
    }
};

// How many commands of this kind (with these samples, if given) reached the sound engine.
inline int soundCommands(AppCoordinator& app, AudioCommand::Kind kind, std::optional<AudioSamples> samples = {})
{
    const auto& log = app.audioEngine().commandLog();
    return static_cast<int>(std::count_if(log.begin(), log.end(), [&](const AudioCommand& command) {
        return command.kind == kind && (!samples || command.samples == *samples);
    }));
}

// A coordinator over the rig; a test seeds the settings before calling started().
class CoordinatorTest : public ::testing::Test {
protected:
    AppCoordinator& started()
    {
        coordinator = std::make_unique<AppCoordinator>(rig.services());
        coordinator->start();
        return *coordinator;
    }
    QString title() const { return coordinator->statusItemController().view().title().text; }

    ShellRig rig;
    std::unique_ptr<AppCoordinator> coordinator;
};

} // namespace mewt::testing
