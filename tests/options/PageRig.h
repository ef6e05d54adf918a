#pragma once

#include "../model/FakeNotificationScheduler.h"
#include "cues/CatSoundPlayer.h"
#include "cues/TactileSoundPlayer.h"
#include "model/InterfaceSettingsStore.h"
#include "model/PomodoroSettingsStore.h"
#include "model/PomodoroStore.h"
#include "model/PullSettingsStore.h"
#include "model/TimerStore.h"
#include "options/LoginItemSwitching.h"
#include "options/UpdateRuntime.h"
#include "platform/AudioEngine.h"
#include "platform/Clock.h"
#include "platform/MemoryUserDefaults.h"
#include "platform/SystemSettingsLauncher.h"

#include <QStringList>

namespace mewt::testing {

// Open at login without touching the desktop: a switch that can be told to fail.
class FakeLoginItems final : public LoginItemSwitching {
public:
    bool isEnabled() const override { return enabled; }
    bool needsApproval() const override { return approval; }
    const std::optional<QString>& errorMessage() const override { return error; }
    void setEnabled(bool enable) override
    {
        ++calls;
        setError(std::nullopt);
        if (failure)
            setError(failure);
        else if (std::exchange(enabled, enable) != enable)
            Q_EMIT isEnabledChanged(enabled);
    }
    void setNeedsApproval(bool needed)
    {
        approval = needed;
        Q_EMIT needsApprovalChanged(needed);
    }
    void setError(std::optional<QString> message)
    {
        if (std::exchange(error, message) != message)
            Q_EMIT errorMessageChanged();
    }

    bool enabled = false;
    bool approval = false;
    std::optional<QString> error;
    std::optional<QString> failure;
    int calls = 0;
};

class FakeUpdateRuntime final : public UpdateRuntime {
public:
    const Status& status() const override { return current; }
    void checkForUpdates() override { ++checks; }
    bool canOpenAvailableUpdate() const override { return hasPage; }
    bool openAvailableUpdate() override { return false; }
    void publish(Status status)
    {
        current = std::move(status);
        Q_EMIT statusChanged();
    }

    Status current;
    int checks = 0;
    bool hasPage = false;
};

// Real stores over in-memory defaults that count writes, players over an offline engine that
// keeps every command, and a launcher whose starts are recorded.
struct PageRig {
    MemoryUserDefaults defaults;
    ManualClock clock;
    InterfaceSettingsStore interface {
        defaults, { AppLanguage::system, AppLanguage::japanese }
    };
    PullSettingsStore pull { defaults };
    PomodoroSettingsStore pomodoroSettings { defaults };
    test::FakeNotificationScheduler notifications;
    TimerStore timer { defaults, clock, &notifications };
    PomodoroStore pomodoro { defaults, clock, timer, pomodoroSettings };
    AudioEngine engine { AudioEngine::Options { {}, std::chrono::milliseconds(40), true, true } };
    TactileSoundPlayer sounds { interface, engine, clock };
    CatSoundPlayer cats { interface, engine };
    FakeLoginItems loginItems;
    FakeUpdateRuntime updates;
    QStringList launched;
    QString desktop = QStringLiteral("GNOME");

    PageRig() { engine.start(); }

    SystemSettingsLauncher launcher()
    {
        return SystemSettingsLauncher(
            desktop, [](const QString& name) { return QStringLiteral("/usr/bin/") + name; },
            [this](const QString& program, const QStringList&) {
                launched.append(program);
                return true;
            });
    }

    // The interface sounds and cat sounds started since `from`, by kind.
    std::vector<TactileSound> tactileSince(std::size_t from) const
    {
        std::vector<TactileSound> played;
        const auto& log = engine.commandLog();
        for (std::size_t i = from; i < log.size(); ++i) {
            for (const TactileSound sound : allTactileSounds) {
                if (log[i].kind == AudioCommand::Kind::playTactile && sounds.buffer(sound) == log[i].samples)
                    played.push_back(sound);
            }
        }
        return played;
    }
    int catStartsSince(std::size_t from) const
    {
        const auto& log = engine.commandLog();
        return int(std::count_if(log.begin() + std::ptrdiff_t(from), log.end(),
            [](const AudioCommand& command) { return command.kind == AudioCommand::Kind::startCat; }));
    }
    std::size_t mark() const { return engine.commandLog().size(); }
};

} // namespace mewt::testing
