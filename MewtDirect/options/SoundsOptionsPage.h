#pragma once

#include "options/OptionsPage.h"
#include "options/SpokenValueSlider.h"
#include "platform/SystemSettingsLauncher.h"

#include <QString>

class QComboBox;
class QLabel;
class QPushButton;
class QSlider;
class QToolButton;

namespace mewt {

class CatSoundPlayer;
class InterfaceSettingsStore;
class TactileSoundPlayer;
class TimerStore;
enum class CompletionSound;

// Interface sounds and their volume, the completion sound with its preview, the ending cue, and
// the way to the desktop's notification settings. A sound plays only when the user asks for one:
// opening the page or a change made elsewhere previews nothing.
class SoundsOptionsPage final : public OptionsPage {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(SoundsOptionsPage)

public:
    static constexpr int volumeSteps = 20; // of 0.05
    static constexpr int volumeSliderWidth = 150;
    static constexpr int percentWidth = 38;
    static constexpr double chitterPreviewVolume = 0.85;
    static constexpr double chimePreviewVolume = 0.9;

    SoundsOptionsPage(TimerStore& timerStore, InterfaceSettingsStore& interfaceSettingsStore,
        TactileSoundPlayer& soundPlayer, CatSoundPlayer& catSoundPlayer,
        SystemSettingsLauncher launcher = SystemSettingsLauncher(), QWidget* parent = nullptr);

    // "35%": the volume in whole percent, halves away from zero.
    static QString volumePercentText(double volume);

    // The sound of the real completion, at its volume.
    void previewCompletionSound();
    void setCompletionSoundAndPreview(CompletionSound sound);
    // A drag of the volume slider begins (true) or ends (false).
    void volumeEditingChanged(bool editing);
    void openNotificationSettings();

    QSlider* volumeSlider() const { return volume; }
    QLabel* volumePercent() const { return percent; }
    QComboBox* completionPicker() const { return completion; }
    QToolButton* previewButton() const { return preview; }
    QComboBox* leadTimePicker() const { return leadTime; }
    QComboBox* overduePicker() const { return overdue; }
    QPushButton* notificationsButton() const { return notifications; }
    QLabel* notificationsLine() const { return notificationsProblem; }

    void sync() override;

protected:
    void changeEvent(QEvent* event) override;

private:
    void retranslate();
    void tintPreviewGlyph();
    void playPreview(CompletionSound sound);

    TimerStore& timerStore;
    InterfaceSettingsStore& settings;
    TactileSoundPlayer& soundPlayer;
    CatSoundPlayer& catSoundPlayer;
    SystemSettingsLauncher launcher;
    SpokenValueSlider* volume = nullptr;
    QLabel* percent = nullptr;
    QComboBox* completion = nullptr;
    QToolButton* preview = nullptr;
    QComboBox* leadTime = nullptr;
    QComboBox* overdue = nullptr;
    QPushButton* notifications = nullptr;
    QLabel* notificationsProblem = nullptr;
    bool launcherFailed = false;
};

} // namespace mewt
