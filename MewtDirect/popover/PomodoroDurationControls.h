#pragma once

#include "model/CatTheme.h"
#include "model/PomodoroConfiguration.h"
#include "popover/PomodoroDurationValueEditor.h"

#include <QRectF>
#include <QWidget>
#include <array>
#include <functional>
#include <map>
#include <vector>

class QBoxLayout;
class QSpacerItem;

namespace mewt {

class PomodoroDurationPullText;
class PomodoroLongBreakIntervalPullText;
class PomodoroSettingsStore;
struct TimerPopoverEditingState;

// The idle popover's strip of pomodoro settings: focus, break and long-break lengths and the
// focus sessions before a long break. Compact: one line with short rules between the values;
// regular: the three lengths over the session count. It keeps no state of its own: the
// configuration is the store's, the typed text and the open field the popover root's.
class PomodoroDurationControls final : public QWidget {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(PomodoroDurationControls)

public:
    PomodoroDurationControls(
        PomodoroSettingsStore& settings, TimerPopoverEditingState& edits, bool compact, QWidget* parent = nullptr);

    bool isCompact() const { return compact; }
    void setAllowsPull(bool allows);
    void setPopoverPalette(const CatPopoverPalette& palette);

    // The store's configuration into the values; public so tests need no loop.
    void sync();
    // Closes a field whose edit the root committed or moved elsewhere.
    void syncEditing();
    // Adds the frame of each pullable value, in `space`'s coordinates.
    void reportFrames(std::map<PomodoroDurationKind, QRectF>& frames, const QWidget& space) const;

    // The adjust actions: a length held to 1 to 180 minutes; the count as it comes (the store
    // holds it). Both keep the other three settings.
    void updateConfiguration(PomodoroDurationKind kind, qint64 minutes);
    void updateLongBreakInterval(qint64 blocks);

    PomodoroDurationPullText& lengthValue(PomodoroDurationKind kind) const;
    PomodoroLongBreakIntervalPullText& intervalValue() const { return *interval; }
    PomodoroDurationValueEditor& editor(PomodoroDurationKind kind) const;

    // Filled by the root: the duration pull, opening and committing its edit, and the focus
    // request of the popover.
    std::function<void(PomodoroDurationKind, QPointF)> onBegan;
    std::function<void(QPointF)> onChanged;
    std::function<void(QPointF)> onEnded;
    std::function<void(PomodoroDurationKind)> onOpenEdit;
    std::function<void()> onCommitEdit;
    std::function<bool()> onTextInputFocusRequest;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void scheduleSync();
    void addRule(QBoxLayout& layout, int width, int height);

    PomodoroSettingsStore& settings;
    TimerPopoverEditingState& edits;
    bool compact;
    PomodoroDurationValueActions actions;
    std::array<PomodoroDurationPullText*, 3> lengths {};
    PomodoroLongBreakIntervalPullText* interval = nullptr;
    std::vector<QSpacerItem*> rules;
    QColor ruleColor;
    bool syncPending = false;
};

} // namespace mewt
