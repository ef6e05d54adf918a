#pragma once

#include <QWidget>
#include <optional>

class QComboBox;
class QLabel;
class QSlider;

namespace mewt {

class PullDistanceDiagram;
class PullSettingsStore;
class SettingsForm;
class SettingsSection;
class ThemeStore;

// The distance slider's session: while the user drags, the page shows the draft and leaves the
// store alone.
struct PullingOptionsPageState {
    std::optional<double> pullStepDistanceDraft;
    bool isEditingPullStepDistance = false;
};

// The "pulling" page: how far one step of a pull is and how much time it adds, with the pull demo
// showing the effect. The distance is written once, when a drag ends.
class PullingOptionsPage final : public QWidget {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(PullingOptionsPage)

public:
    static constexpr int minimumDistance = 20;
    static constexpr int maximumDistance = 140;
    static constexpr int distanceStep = 20;

    PullingOptionsPage(ThemeStore& themeStore, PullSettingsStore& pullSettings, QWidget* parent = nullptr);

    // The distance shown: the draft if there is one, else the stored distance, to whole points.
    int shownDistance() const;
    const PullingOptionsPageState& session() const { return state; }
    QString footer() const;

    SettingsForm& form() const { return *settingsForm; }
    QSlider& distanceSlider() const { return *slider; }
    QComboBox& stepPicker() const { return *picker; }
    PullDistanceDiagram& diagram() const { return *distanceDiagram; }
    QString distanceText() const;

    // Stores -> controls; public so tests need no event loop.
    void sync();

protected:
    void changeEvent(QEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    QWidget* buildDistanceRow();
    void beginDrag();
    void moveDraft(int position);
    void endDrag();
    void commit(int points);
    void storedDistanceChanged();
    void scheduleSync();
    void retranslate();

    ThemeStore& themeStore;
    PullSettingsStore& pullSettings;
    PullingOptionsPageState state;
    SettingsForm* settingsForm = nullptr;
    SettingsSection* section = nullptr;
    PullDistanceDiagram* distanceDiagram = nullptr;
    QLabel* distanceTitle = nullptr;
    QSlider* slider = nullptr;
    QLabel* pointsLabel = nullptr;
    QComboBox* picker = nullptr;
    bool syncPending = false;
};

} // namespace mewt
