#pragma once

#include "model/CatTheme.h"
#include "popover/TimerPopoverStores.h"
#include "popover/TimerPopoverUtilityAction.h"

#include <QHash>
#include <QMenu>
#include <optional>

class QActionGroup;

namespace mewt {

class MenuRowStyle;
class TimerState;
struct PomodoroPlan;

// The mode picker applies only to the next start: nothing may run or wait.
bool isTimerModeChoosable(const TimerState& state, const std::optional<PomodoroPlan>& plan);

// The popover's menu of quick settings, feedback, the options window and quit. Toggles and pickers
// write through the stores' persisting setters; labels, checks and the mode picker's availability
// are read again each time the menu opens. The four buttons that leave the popover are signals.
class MoreActionsMenu final : public QMenu {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(MoreActionsMenu)

public:
    MoreActionsMenu(const TimerPopoverStores& stores, bool includesWelcomeTour, QWidget* parent = nullptr);

    // Stores -> rows; runs on every opening.
    void refresh();
    // The menu and its submenus take the popover's colours, the accent marking the row under the
    // pointer.
    void setPopoverPalette(const CatPopoverPalette& colors);

    // One action per row in menu order, separators included.
    const QList<QAction*>& rowActions() const { return rows; }
    QAction* rowAction(TimerPopoverUtilityAction action) const;
    const QList<TimerPopoverUtilityAction>& rowList() const { return rowKinds; }
    QMenu* autostartMenu() const { return autostart; }
    QMenu* pullStepMenu() const { return pullStep; }
    QMenu* modeMenu() const { return mode; }
    QMenu* layoutMenu() const { return layout; }

Q_SIGNALS:
    void sendFeedbackChosen();
    void welcomeTourChosen();
    void optionsChosen();
    void quitChosen();

protected:
    void changeEvent(QEvent* event) override;

private:
    QAction* addToggle(TimerPopoverUtilityAction action, void (*write)(const TimerPopoverStores&, bool));
    QMenu* addSubmenu(TimerPopoverUtilityAction action);
    QActionGroup* addPicker(
        QMenu* menu, const QList<std::pair<QString, QString>>& choices, std::function<void(int)> write);
    void retranslate();
    void setGlyph(QAction* action, const QString& glyph);
    QIcon glyphIcon(const QString& glyph) const;

    TimerPopoverStores stores;
    QList<TimerPopoverUtilityAction> rowKinds;
    QList<QAction*> rows;
    MenuRowStyle* rowStyle = nullptr;
    QList<QMenu*> submenus;
    QHash<QAction*, QString> glyphs;
    QMenu* autostart = nullptr;
    QMenu* pullStep = nullptr;
    QMenu* mode = nullptr;
    QMenu* layout = nullptr;
    QAction* nextFocus = nullptr;
    QAction* nextBreak = nullptr;
    QActionGroup* pullStepChoices = nullptr;
    QActionGroup* modeChoices = nullptr;
    QActionGroup* layoutChoices = nullptr;
};

} // namespace mewt
