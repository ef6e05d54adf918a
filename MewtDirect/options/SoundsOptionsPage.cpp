#include "options/SoundsOptionsPage.h"

#include "artwork/Glyph.h"
#include "cues/CatSoundPlayer.h"
#include "cues/PointerFeedback.h"
#include "cues/TactileSoundPlayer.h"
#include "model/InterfaceSettingsStore.h"
#include "model/TimerStore.h"
#include "options/CaptionLine.h"
#include "options/SettingBinders.h"
#include "options/SettingsForm.h"
#include "options/SettingsSection.h"
#include "options/SpokenValueSlider.h"
#include "options/TextStyle.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSlider>
#include <QToolButton>
#include <QVBoxLayout>
#include <cmath>

namespace mewt {

namespace {

constexpr int volumeRowGap = 10;
constexpr int completionRowGap = 8;
constexpr int previewGlyphSide = 14;
constexpr int notificationsGap = 6;

QWidget* rowOf(int gap, std::initializer_list<QWidget*> widgets)
{
    auto* row = new QWidget;
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(gap);
    for (QWidget* widget : widgets)
        layout->addWidget(widget, 0, Qt::AlignVCenter);
    return row;
}

// A pop-up of whole numbers: the stored number is the item's data, shown by its label.
template <std::size_t N>
QComboBox* numberChoice(const std::array<int, N>& choices, QString (*label)(int), SettingBinding<int> binding)
{
    auto* choice = new QComboBox;
    for (const int value : choices)
        choice->addItem(label(value), QString::number(value));
    bindChoice(choice,
        {
            [read = binding.read] { return QString::number(read()); },
            [write = binding.write](const QString& raw) {
                bool ok = false;
                const int value = raw.toInt(&ok);
                if (ok)
                    write(value);
            },
            binding.observe,
        });
    return choice;
}

} // namespace

SoundsOptionsPage::SoundsOptionsPage(TimerStore& timerStore, InterfaceSettingsStore& interfaceSettingsStore,
    TactileSoundPlayer& soundPlayer, CatSoundPlayer& catSoundPlayer, SystemSettingsLauncher launcher, QWidget* parent)
    : OptionsPage(parent)
    , timerStore(timerStore)
    , settings(interfaceSettingsStore)
    , soundPlayer(soundPlayer)
    , catSoundPlayer(catSoundPlayer)
    , launcher(std::move(launcher))
    , volume(new SpokenValueSlider)
    , percent(new QLabel)
    , completion(new QComboBox)
    , preview(new QToolButton)
    , notifications(new QPushButton)
    , notificationsProblem(captionLine(CaptionTone::error))
{
    SettingsSection* sounds = form().addSection(QT_TRANSLATE_NOOP("mewt", "sounds"));
    sounds->addRow(OptionsSetting::soundsInterface,
        bindToggle(new QCheckBox,
            bindSetting<bool>(settings, &InterfaceSettingsStore::tactileSoundsEnabled,
                &InterfaceSettingsStore::setTactileSoundsEnabled,
                &InterfaceSettingsStore::tactileSoundsEnabledChanged)));

    volume->setRange(0, volumeSteps);
    volume->setSpokenValue(100 / volumeSteps, [](int step) { return volumePercentText(double(step) / volumeSteps); });
    volume->setPageStep(1);
    volume->setFixedWidth(volumeSliderWidth);
    bindSlider(volume,
        {
            [this] { return int(std::lround(settings.tactileSoundVolume() * volumeSteps)); },
            [this](int step) { settings.setTactileSoundVolume(double(step) / volumeSteps); },
            [this](QObject* context, std::function<void()> refresh) {
                connect(
                    &settings, &InterfaceSettingsStore::tactileSoundVolumeChanged, context, [refresh] { refresh(); });
            },
        });
    // After the binder's own handlers: the release is heard at the volume just written.
    connect(volume, &QSlider::sliderPressed, this, [this] { volumeEditingChanged(true); });
    connect(volume, &QSlider::sliderReleased, this, [this] { volumeEditingChanged(false); });
    // While dragging, the figure follows the thumb; the store hears only the release.
    connect(volume, &QSlider::sliderMoved, this,
        [this](int step) { percent->setText(volumePercentText(double(step) / volumeSteps)); });
    QFont digits = textStyleFont(TextStyle::body);
    digits.setFamily(QStringLiteral("monospace"));
    percent->setFont(digits);
    percent->setFixedWidth(percentWidth);
    percent->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    sounds->addRow(OptionsSetting::soundsVolume, rowOf(volumeRowGap, { volume, percent }));
    // The row names the box around the slider and its percent; a reader lands on the slider.
    volume->setAccessibleName(definition(OptionsSetting::soundsVolume).controlTitle);
    volume->setAccessibleDescription(definition(OptionsSetting::soundsVolume).description.value_or(QString()));

    for (const CompletionSound sound : allCompletionSounds)
        completion->addItem(displayName(sound), rawValue(sound));
    bindChoice(completion,
        {
            [this] { return rawValue(settings.completionSound()); },
            [this](const QString& raw) {
                if (const auto sound = completionSoundFromRawValue(raw))
                    setCompletionSoundAndPreview(*sound);
            },
            [this](QObject* context, std::function<void()> refresh) {
                connect(&settings, &InterfaceSettingsStore::completionSoundChanged, context, [refresh] { refresh(); });
            },
        });
    completion->setAccessibleName(definition(OptionsSetting::soundsCompletion).controlTitle);
    preview->setAutoRaise(true);
    preview->setIconSize(QSize(previewGlyphSide, previewGlyphSide));
    preview->setToolTip(QStringLiteral("preview completion sound"));
    preview->setAccessibleName(QStringLiteral("preview completion sound"));
    connect(preview, &QToolButton::clicked, this, &SoundsOptionsPage::previewCompletionSound);
    sounds->addRow(OptionsSetting::soundsCompletion, rowOf(completionRowGap, { completion, preview }));

    // The catalogue's title, shown as it is.
    SettingsSection* cue = form().addSection();
    cue->setHeaderText(QStringLiteral("ending cue"));
    cue->addRow(OptionsSetting::soundsEndingCue,
        bindToggle(new QCheckBox,
            bindSetting<bool>(settings, &InterfaceSettingsStore::showsEndingCue,
                &InterfaceSettingsStore::setShowsEndingCue, &InterfaceSettingsStore::showsEndingCueChanged)));
    leadTime = numberChoice(InterfaceSettingsStore::endingCueLeadTimeChoices, &endingCueLeadTimeLabel,
        bindSetting<int>(settings, &InterfaceSettingsStore::endingCueLeadTimeSeconds,
            &InterfaceSettingsStore::setEndingCueLeadTimeSeconds,
            &InterfaceSettingsStore::endingCueLeadTimeSecondsChanged));
    cue->addTitledRow(OptionsSetting::soundsShowBefore, leadTime);
    overdue = numberChoice(InterfaceSettingsStore::pomodoroOverdueCueIntervalChoices, &pomodoroOverdueCueIntervalLabel,
        bindSetting<int>(settings, &InterfaceSettingsStore::pomodoroOverdueCueIntervalMinutes,
            &InterfaceSettingsStore::setPomodoroOverdueCueIntervalMinutes,
            &InterfaceSettingsStore::pomodoroOverdueCueIntervalMinutesChanged));
    const OptionsSettingDefinition overdueSetting = definition(OptionsSetting::soundsOverdue);
    overdue->setToolTip(overdueSetting.description.value_or(overdueSetting.title));
    cue->addTitledRow(OptionsSetting::soundsOverdue, overdue);

    SettingsSection* alerts = form().addSection(QT_TRANSLATE_NOOP("mewt", "notifications"));
    notifications->setObjectName(soundTag(TactileSound::page));
    connect(notifications, &QPushButton::clicked, this, &SoundsOptionsPage::openNotificationSettings);
    auto* notificationsColumn = new QWidget;
    auto* column = new QVBoxLayout(notificationsColumn);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(notificationsGap);
    column->addWidget(notifications, 0, Qt::AlignLeft);
    column->addWidget(notificationsProblem);
    alerts->addCustomRow(OptionsSetting::soundsNotifications, notificationsColumn);

    connect(&settings, &InterfaceSettingsStore::tactileSoundsEnabledChanged, this, &SoundsOptionsPage::scheduleSync);
    connect(&settings, &InterfaceSettingsStore::tactileSoundVolumeChanged, this, &SoundsOptionsPage::scheduleSync);
    connect(&settings, &InterfaceSettingsStore::showsEndingCueChanged, this, &SoundsOptionsPage::scheduleSync);
    connect(&timerStore, &TimerStore::notificationErrorMessageChanged, this, &SoundsOptionsPage::scheduleSync);
    retranslate();
    sync();
}

QString SoundsOptionsPage::volumePercentText(double volume)
{
    return QStringLiteral("%1%").arg(std::lround(volume * 100));
}

void SoundsOptionsPage::previewCompletionSound()
{
    playPreview(settings.completionSound());
}

void SoundsOptionsPage::setCompletionSoundAndPreview(CompletionSound sound)
{
    settings.setCompletionSound(sound);
    playPreview(sound);
}

void SoundsOptionsPage::playPreview(CompletionSound sound)
{
    if (sound == CompletionSound::catChitter)
        catSoundPlayer.play(CatSoundPlayer::Sound::chitter, chitterPreviewVolume);
    else
        soundPlayer.play(TactileSound::chime, chimePreviewVolume);
}

void SoundsOptionsPage::volumeEditingChanged(bool editing)
{
    if (editing)
        soundPlayer.beginPress(TactileSound::release);
    else
        soundPlayer.endPress();
}

void SoundsOptionsPage::openNotificationSettings()
{
    launcherFailed = !launcher.openNotificationSettings();
    sync();
}

void SoundsOptionsPage::sync()
{
    const bool soundsOn = settings.tactileSoundsEnabled();
    volume->setEnabled(soundsOn);
    if (!volume->isSliderDown())
        percent->setText(volumePercentText(settings.tactileSoundVolume()));
    leadTime->setEnabled(settings.showsEndingCue());
    overdue->setEnabled(settings.showsEndingCue());

    // The store's message wins: it says what went wrong with the notifications themselves.
    const std::optional<QString>& error = timerStore.notificationErrorMessage();
    if (error) {
        notificationsProblem->setText(*error);
    } else if (launcherFailed) {
        // Verbatim, like the page's other texts.
        notificationsProblem->setText(QStringLiteral("this desktop has no notification settings mewt can open."));
    }
    notificationsProblem->setVisible(error.has_value() || launcherFailed);
}

void SoundsOptionsPage::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::LanguageChange)
        retranslate();
    else if (event->type() == QEvent::PaletteChange)
        tintPreviewGlyph();
    OptionsPage::changeEvent(event);
}

void SoundsOptionsPage::retranslate()
{
    const QString title = definition(OptionsSetting::soundsNotifications).title;
    notifications->setText(QCoreApplication::translate("mewt", "%1…").arg(title));
    notifications->setAccessibleName(notifications->text());
    tintPreviewGlyph();
    sync();
}

void SoundsOptionsPage::tintPreviewGlyph()
{
    preview->setIcon(Glyph::pixmap(QStringLiteral("play"), QSize(previewGlyphSide, previewGlyphSide),
        palette().color(QPalette::WindowText), devicePixelRatioF()));
}

} // namespace mewt
