#include "popover/MoreActionsMenu.h"

#include "artwork/Glyph.h"
#include "cues/PointerFeedback.h"
#include "model/InterfaceSettingsStore.h"
#include "model/PomodoroSettingsStore.h"
#include "model/PomodoroStore.h"
#include "model/PullSettingsStore.h"
#include "model/TimerStore.h"
#include "popover/MenuRowStyle.h"
#include "popover/PopoverWidgetPalette.h"

#include <QActionGroup>
#include <QCoreApplication>
#include <QEvent>
#include <array>

namespace mewt {

namespace {
constexpr int iconPixelSize = 14;
constexpr std::array timerModes = { TimerMode::timer, TimerMode::pomodoro };

QString pullStepText(PullGranularity granularity)
{
    switch (granularity) {
    case PullGranularity::second: return QStringLiteral("1 sec");
    case PullGranularity::thirtySeconds: return QStringLiteral("30 sec");
    case PullGranularity::minute: return QStringLiteral("1 min");
    case PullGranularity::fiveMinutes: return QStringLiteral("5 min");
    case PullGranularity::fifteenMinutes: return QStringLiteral("15 min");
    case PullGranularity::thirtyMinutes: return QStringLiteral("30 min");
    }
    return {};
}

void checkChoice(QActionGroup* group, int index)
{
    const QList<QAction*> choices = group->actions();
    if (index >= 0 && index < choices.size())
        choices[index]->setChecked(true);
}
} // namespace

bool isTimerModeChoosable(const TimerState& state, const std::optional<PomodoroPlan>& plan)
{
    return state.isIdle() && !plan;
}

MoreActionsMenu::MoreActionsMenu(const TimerPopoverStores& stores, bool includesWelcomeTour, QWidget* parent)
    : QMenu(parent)
    , stores(stores)
    , rowKinds(timerPopoverUtilityActions(includesWelcomeTour))
{
    using A = TimerPopoverUtilityAction;
    setToolTipsVisible(false);
    rowStyle = new MenuRowStyle;
    rowStyle->setParent(this);
    setStyle(rowStyle);
    for (const A kind : rowKinds) {
        QAction* row = nullptr;
        switch (kind) {
        case A::separator: row = addSeparator(); break;
        case A::continuousMode:
            row = addToggle(
                kind, [](const TimerPopoverStores& s, bool on) { s.pomodoroSettings.setContinuousModeEnabled(on); });
            break;
        case A::zenMode:
            row = addToggle(
                kind, [](const TimerPopoverStores& s, bool on) { s.interfaceSettings.setZenModeEnabled(on); });
            setGlyph(row, {});
            break;
        case A::showInstructions:
            row = addToggle(
                kind, [](const TimerPopoverStores& s, bool on) { s.interfaceSettings.setShowsTimerInstructions(on); });
            break;
        case A::autoDismiss:
            row = addToggle(kind, [](const TimerPopoverStores& s, bool on) {
                s.interfaceSettings.setAutomaticallyDismissesControls(on);
            });
            break;
        case A::endingCue:
            row = addToggle(
                kind, [](const TimerPopoverStores& s, bool on) { s.interfaceSettings.setShowsEndingCue(on); });
            break;
        case A::autostart:
            autostart = addSubmenu(kind);
            row = autostart->menuAction();
            nextFocus = autostart->addAction(QString());
            nextFocus->setCheckable(true);
            connect(nextFocus, &QAction::triggered, this,
                [this](bool on) { this->stores.pomodoroSettings.setAutoStartsNextFocus(on); });
            nextBreak = autostart->addAction(QString());
            nextBreak->setCheckable(true);
            connect(nextBreak, &QAction::triggered, this,
                [this](bool on) { this->stores.pomodoroSettings.setAutoStartsNextBreak(on); });
            break;
        case A::pullStep: {
            pullStep = addSubmenu(kind);
            row = pullStep->menuAction();
            QList<std::pair<QString, QString>> choices;
            for (const PullGranularity granularity : allPullGranularities)
                choices.append({ pullStepText(granularity), {} });
            pullStepChoices = addPicker(pullStep, choices, [this](int index) {
                this->stores.pullSettings.setGranularity(allPullGranularities[std::size_t(index)]);
            });
            break;
        }
        case A::timerMode:
            mode = addSubmenu(kind);
            row = mode->menuAction();
            modeChoices = addPicker(mode, { { QStringLiteral("timer"), {} }, { QStringLiteral("pomodoro"), {} } },
                [this](int index) { this->stores.pomodoroSettings.setMode(timerModes[std::size_t(index)]); });
            break;
        case A::timerLayout:
            layout = addSubmenu(kind);
            row = layout->menuAction();
            layoutChoices = addPicker(layout,
                { { QStringLiteral("mewt"), QStringLiteral("menu-paw") },
                    { QStringLiteral("clock"), QStringLiteral("timer") } },
                [this](int index) {
                    this->stores.interfaceSettings.setTimerIdleLayout(allTimerIdleLayouts[std::size_t(index)]);
                });
            break;
        case A::toggleSound:
            row = addAction(mewt::title(kind));
            connect(row, &QAction::triggered, this, [this] {
                InterfaceSettingsStore& settings = this->stores.interfaceSettings;
                settings.setTactileSoundsEnabled(!settings.tactileSoundsEnabled());
            });
            break;
        case A::sendFeedback:
            row = addAction(mewt::title(kind));
            setGlyph(row, glyphName(kind));
            row->setObjectName(QStringLiteral("mewt.send-feedback"));
            connect(row, &QAction::triggered, this, &MoreActionsMenu::sendFeedbackChosen);
            break;
        case A::welcomeTour:
            row = addAction(mewt::title(kind));
            setGlyph(row, glyphName(kind));
            row->setObjectName(soundTag(TactileSound::page));
            connect(row, &QAction::triggered, this, &MoreActionsMenu::welcomeTourChosen);
            break;
        case A::settings:
            row = addAction(mewt::title(kind));
            setGlyph(row, glyphName(kind));
            row->setObjectName(soundTag(TactileSound::page));
            connect(row, &QAction::triggered, this, &MoreActionsMenu::optionsChosen);
            break;
        case A::quit:
            row = addAction(mewt::title(kind));
            setGlyph(row, glyphName(kind));
            row->setObjectName(cancelControlTag);
            connect(row, &QAction::triggered, this, &MoreActionsMenu::quitChosen);
            break;
        }
        rows.append(row);
    }
    connect(this, &QMenu::aboutToShow, this, &MoreActionsMenu::refresh);
    retranslate();
    refresh();
}

QAction* MoreActionsMenu::addToggle(TimerPopoverUtilityAction action, void (*write)(const TimerPopoverStores&, bool))
{
    QAction* row = addAction(mewt::title(action));
    setGlyph(row, glyphName(action));
    row->setCheckable(true);
    connect(row, &QAction::triggered, this, [this, write](bool on) { write(this->stores, on); });
    return row;
}

QMenu* MoreActionsMenu::addSubmenu(TimerPopoverUtilityAction action)
{
    QMenu* submenu = addMenu(mewt::title(action));
    setGlyph(submenu->menuAction(), glyphName(action));
    submenu->setToolTipsVisible(false);
    submenu->setStyle(rowStyle);
    submenus.append(submenu);
    return submenu;
}

QActionGroup* MoreActionsMenu::addPicker(
    QMenu* menu, const QList<std::pair<QString, QString>>& choices, std::function<void(int)> write)
{
    auto* group = new QActionGroup(menu);
    group->setExclusive(true);
    for (int index = 0; index < choices.size(); ++index) {
        QAction* choice = menu->addAction(choices[index].first);
        setGlyph(choice, choices[index].second);
        choice->setCheckable(true);
        group->addAction(choice);
        connect(choice, &QAction::triggered, this, [write, index] { write(index); });
    }
    return group;
}

QAction* MoreActionsMenu::rowAction(TimerPopoverUtilityAction action) const
{
    const qsizetype index = rowKinds.indexOf(action);
    return index < 0 ? nullptr : rows[index];
}

void MoreActionsMenu::refresh()
{
    using A = TimerPopoverUtilityAction;
    const PomodoroSettingsStore& pomodoro = stores.pomodoroSettings;
    const InterfaceSettingsStore& interface = stores.interfaceSettings;
    rowAction(A::continuousMode)->setChecked(pomodoro.isContinuousModeEnabled());
    nextFocus->setChecked(pomodoro.autoStartsNextFocus());
    nextBreak->setChecked(pomodoro.autoStartsNextBreak());
    checkChoice(pullStepChoices,
        int(std::find(allPullGranularities.begin(), allPullGranularities.end(), stores.pullSettings.granularity())
            - allPullGranularities.begin()));
    checkChoice(
        modeChoices, int(std::find(timerModes.begin(), timerModes.end(), pomodoro.mode()) - timerModes.begin()));
    mode->menuAction()->setEnabled(isTimerModeChoosable(stores.timer.state(), stores.pomodoro.plan()));
    checkChoice(layoutChoices,
        int(std::find(allTimerIdleLayouts.begin(), allTimerIdleLayouts.end(), interface.timerIdleLayout())
            - allTimerIdleLayouts.begin()));
    rowAction(A::zenMode)->setChecked(interface.isZenModeEnabled());
    rowAction(A::showInstructions)->setChecked(interface.showsTimerInstructions());
    rowAction(A::autoDismiss)->setChecked(interface.automaticallyDismissesControls());
    rowAction(A::endingCue)->setChecked(interface.showsEndingCue());
    QAction* sound = rowAction(A::toggleSound);
    const bool soundsOn = interface.tactileSoundsEnabled();
    sound->setText(soundsOn ? mewt::title(A::toggleSound) : QStringLiteral("unmute volume"));
    setGlyph(sound, soundsOn ? glyphName(A::toggleSound) : QStringLiteral("speaker"));
}

void MoreActionsMenu::retranslate()
{
    nextFocus->setText(QCoreApplication::translate("mewt", "next focus"));
    nextBreak->setText(QCoreApplication::translate("mewt", "next break"));
    setTitle(QCoreApplication::translate("mewt", "more actions"));
}

void MoreActionsMenu::setPopoverPalette(const CatPopoverPalette& colors)
{
    const QPalette palette = popoverWidgetPalette(colors);
    setPalette(palette);
    // Submenus are windows of their own: they take no palette from this one.
    for (QMenu* submenu : std::as_const(submenus))
        submenu->setPalette(palette);
}

void MoreActionsMenu::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::LanguageChange)
        retranslate();
    if (event->type() == QEvent::PaletteChange) {
        // Icons are drawn in the text colour, so they are drawn again in the new one.
        for (auto glyph = glyphs.cbegin(); glyph != glyphs.cend(); ++glyph)
            glyph.key()->setIcon(glyphIcon(glyph.value()));
    }
    QMenu::changeEvent(event);
}

void MoreActionsMenu::setGlyph(QAction* action, const QString& glyph)
{
    glyphs.insert(action, glyph);
    action->setIcon(glyphIcon(glyph));
}

QIcon MoreActionsMenu::glyphIcon(const QString& glyph) const
{
    if (glyph.isEmpty() || !Glyph::exists(glyph))
        return {};
    const QColor ink = palette().color(QPalette::WindowText);
    return QIcon(Glyph::pixmap(glyph, { iconPixelSize, iconPixelSize }, ink, devicePixelRatioF()));
}

} // namespace mewt
