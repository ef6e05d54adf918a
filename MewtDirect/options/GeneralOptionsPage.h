#pragma once

#include "options/AboutTexts.h"
#include "options/OptionsPage.h"
#include "platform/SystemSettingsLauncher.h"

#include <QPointer>
#include <functional>

class QAbstractButton;
class QComboBox;
class QLabel;
class QPushButton;

namespace mewt {

class DirectUpdatesSettingsRow;
class InterfaceSettingsStore;
class LoginItemSwitching;
class OpenSourceLicensesView;
class UpdateRuntime;

// Language, open at login, what mewt is (icon, name, version, copyright, notices), updates, the
// welcome tour again and feedback. The application always hands over its update runtime, so the
// updates row always shows (a build without a feed says so when asked); only a page given no
// runtime, as some tests build it, has no updates row.
class GeneralOptionsPage final : public OptionsPage {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(GeneralOptionsPage)

public:
    static constexpr int iconSide = 32;
    static constexpr int aboutGap = 10;
    static constexpr int aboutLineGap = 2;
    static constexpr int copyrightGap = 6;

    // `onSendFeedback` is handed the window that is active at the press (or null) to place the
    // feedback panel over.
    GeneralOptionsPage(LoginItemSwitching& loginItemService, InterfaceSettingsStore& interfaceSettingsStore,
        UpdateRuntime* updateRuntime, std::function<void()> onReplayOnboarding,
        std::function<void(QWidget*)> onSendFeedback, AboutTexts about = AboutTexts::current(),
        SystemSettingsLauncher launcher = SystemSettingsLauncher(), QWidget* parent = nullptr);

    bool showsOpenSourceLicenses() const;
    OpenSourceLicensesView* openSourceLicenses() const;
    void showOpenSourceLicenses();

    QComboBox* languagePicker() const { return language; }
    QAbstractButton* loginSwitch() const { return login; }
    QPushButton* reviewLoginItemsButton() const { return reviewLoginItems; }
    QLabel* loginErrorLine() const { return loginError; }
    QLabel* nameLine() const { return name; }
    QLabel* versionLine() const { return version; }
    QWidget* copyrightLine() const { return copyright; }
    DirectUpdatesSettingsRow* updatesRow() const { return updates; }
    QPushButton* licensesButton() const { return licensesOpener; }
    QPushButton* replayButton() const { return replay; }
    QPushButton* feedbackButton() const { return feedback; }

    void sync() override;

protected:
    void changeEvent(QEvent* event) override;

private:
    void retranslate();
    QWidget* buildAboutRow(const AboutTexts& about);

    LoginItemSwitching& loginItems;
    InterfaceSettingsStore& settings;
    std::function<void()> onReplayOnboarding;
    std::function<void(QWidget*)> onSendFeedback;
    SystemSettingsLauncher launcher;
    QComboBox* language = nullptr;
    QWidget* languageRow = nullptr;
    QAbstractButton* login = nullptr;
    QPushButton* reviewLoginItems = nullptr;
    QLabel* loginError = nullptr;
    QLabel* name = nullptr;
    QLabel* version = nullptr;
    QWidget* copyright = nullptr;
    QLabel* madeWith = nullptr;
    QLabel* separator = nullptr;
    DirectUpdatesSettingsRow* updates = nullptr;
    QPushButton* licensesOpener = nullptr;
    QPushButton* replay = nullptr;
    QPushButton* feedback = nullptr;
    QPointer<OpenSourceLicensesView> licenses;
};

} // namespace mewt
