#include "options/GeneralOptionsPage.h"

#include "artwork/AppIcon.h"
#include "artwork/PawArtwork.h"
#include "cues/PointerFeedback.h"
#include "model/CatTheme.h"
#include "model/InterfaceSettingsStore.h"
#include "options/CaptionLine.h"
#include "options/DirectUpdatesSettingsRow.h"
#include "options/LoginItemSwitching.h"
#include "options/OpenSourceLicensesView.h"
#include "options/OptionsPalette.h"
#include "options/SettingBinders.h"
#include "options/SettingsForm.h"
#include "options/SettingsSection.h"
#include "options/TextStyle.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>

namespace mewt {

namespace {

// The about row paints the application's icon itself: a decoration, so no node for screen readers.
class AboutRow final : public QWidget {
public:
    using QWidget::QWidget;

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        painter.setRenderHint(QPainter::Antialiasing);
        const int side = GeneralOptionsPage::iconSide;
        const QRect box(0, (height() - side) / 2, side, side);
        const QPixmap icon = AppIcon::pixmap(side, devicePixelRatioF());
        if (!icon.isNull())
            painter.drawPixmap(box, icon);
        else
            paintFrontPaw(painter, box, CatTheme::defaultTheme());
    }
};

SettingBinding<QString> languageBinding(InterfaceSettingsStore& store)
{
    return {
        [&store] { return rawValue(store.language()); },
        [&store](const QString& raw) {
            if (const auto language = appLanguageFromRawValue(raw))
                store.setLanguage(*language);
        },
        [&store](QObject* context, std::function<void()> refresh) {
            QObject::connect(&store, &InterfaceSettingsStore::languageChanged, context, [refresh] { refresh(); });
        },
    };
}

SettingBinding<bool> loginBinding(LoginItemSwitching& service)
{
    return {
        [&service] { return service.isEnabled(); },
        [&service](bool enable) { service.setEnabled(enable); },
        [&service](QObject* context, std::function<void()> refresh) {
            QObject::connect(&service, &LoginItemSwitching::isEnabledChanged, context, [refresh] { refresh(); });
        },
    };
}

QPushButton* taggedButton(const QString& objectName)
{
    auto* button = new QPushButton;
    button->setObjectName(objectName);
    return button;
}

QLabel* secondaryCaption(const QString& text = {})
{
    QLabel* label = captionLine(CaptionTone::secondary);
    label->setWordWrap(false);
    label->setText(text);
    return label;
}

} // namespace

GeneralOptionsPage::GeneralOptionsPage(LoginItemSwitching& loginItemService,
    InterfaceSettingsStore& interfaceSettingsStore, UpdateRuntime* updateRuntime,
    std::function<void()> onReplayOnboarding, std::function<void(QWidget*)> onSendFeedback, AboutTexts about,
    SystemSettingsLauncher launcher, QWidget* parent)
    : OptionsPage(parent)
    , loginItems(loginItemService)
    , settings(interfaceSettingsStore)
    , onReplayOnboarding(std::move(onReplayOnboarding))
    , onSendFeedback(std::move(onSendFeedback))
    , launcher(std::move(launcher))
    , language(new QComboBox)
    , login(new QCheckBox)
    , reviewLoginItems(taggedButton(soundTag(TactileSound::page)))
    , loginError(captionLine(CaptionTone::error))
    , licensesOpener(taggedButton(QStringLiteral("mewt.open-source-licenses")))
    , replay(taggedButton(soundTag(TactileSound::page)))
    , feedback(taggedButton(QStringLiteral("mewt.send-feedback")))
{
    SettingsSection* system = form().addSection(QT_TRANSLATE_NOOP("mewt", "system"));
    for (const AppLanguage offered : settings.availableLanguages())
        language->addItem(nativeName(offered), rawValue(offered)); // each in its own script, untranslated
    languageRow = system->addRow(OptionsSetting::generalLanguage, bindChoice(language, languageBinding(settings)));
    system->addRow(OptionsSetting::generalOpenAtLogin, bindToggle(login, loginBinding(loginItems)));
    // Autostart entries need nobody's approval, so this stays hidden unless a service says otherwise.
    reviewLoginItems->setText(QStringLiteral("review login items…"));
    connect(reviewLoginItems, &QPushButton::clicked, this, [this] { this->launcher.openAutostartSettings(); });
    auto* review = new QWidget;
    auto* reviewRow = new QHBoxLayout(review);
    reviewRow->setContentsMargins(0, 0, 0, 0);
    reviewRow->addWidget(reviewLoginItems);
    reviewRow->addStretch();
    system->addLine(review);
    system->addLine(loginError);

    SettingsSection* app = form().addSection(QT_TRANSLATE_NOOP("mewt", "app"));
    app->addCustomRow(OptionsSetting::generalAppVersion, buildAboutRow(about));
    form().registerRow(OptionsSetting::generalOpenSourceLicenses, licensesOpener);
    if (const auto line = about.copyrightLine()) {
        madeWith = secondaryCaption();
        separator = secondaryCaption();
        auto* copyrightText = secondaryCaption(*line);
        copyright = new QWidget;
        auto* row = new QHBoxLayout(copyright);
        row->setContentsMargins(0, 0, 0, 0);
        row->setSpacing(copyrightGap);
        row->addStretch();
        row->addWidget(madeWith);
        row->addWidget(separator);
        row->addWidget(copyrightText);
        row->addStretch();
        app->addLine(copyright);
    }
    if (updateRuntime) {
        updates = new DirectUpdatesSettingsRow(*updateRuntime);
        app->addCustomRow(OptionsSetting::generalUpdates, updates);
    }

    SettingsSection* help = form().addSection(QT_TRANSLATE_NOOP("mewt", "help"));
    connect(replay, &QPushButton::clicked, this, [this] {
        if (this->onReplayOnboarding)
            this->onReplayOnboarding();
    });
    help->addRow(OptionsSetting::aboutWelcomeTour, replay);
    feedback->setText(QStringLiteral("write…"));
    connect(feedback, &QPushButton::clicked, this, [this] {
        if (this->onSendFeedback)
            this->onSendFeedback(QApplication::activeWindow());
    });
    help->addRow(OptionsSetting::aboutFeedback, feedback);

    connect(&loginItems, &LoginItemSwitching::needsApprovalChanged, this, &GeneralOptionsPage::scheduleSync);
    connect(&loginItems, &LoginItemSwitching::errorMessageChanged, this, &GeneralOptionsPage::scheduleSync);
    retranslate();
    sync();
}

QWidget* GeneralOptionsPage::buildAboutRow(const AboutTexts& about)
{
    auto* row = new AboutRow;
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(iconSide + aboutGap, 0, 0, 0);
    layout->setSpacing(aboutGap);
    auto* lines = new QVBoxLayout;
    lines->setSpacing(aboutLineGap);
    if (const auto text = about.nameLine()) {
        name = new QLabel(*text);
        name->setTextFormat(Qt::PlainText);
        name->setFont(textStyleFont(TextStyle::body));
        lines->addWidget(name);
    }
    if (const auto text = about.versionLine()) {
        version = secondaryCaption(*text);
        lines->addWidget(version);
    }
    layout->addLayout(lines);
    layout->addStretch();
    licensesOpener->setText(definition(OptionsSetting::generalOpenSourceLicenses).title);
    connect(licensesOpener, &QPushButton::clicked, this, &GeneralOptionsPage::showOpenSourceLicenses);
    layout->addWidget(licensesOpener, 0, Qt::AlignVCenter);
    row->setMinimumHeight(iconSide);
    return row;
}

bool GeneralOptionsPage::showsOpenSourceLicenses() const
{
    return !licenses.isNull();
}

OpenSourceLicensesView* GeneralOptionsPage::openSourceLicenses() const
{
    return licenses.data();
}

void GeneralOptionsPage::showOpenSourceLicenses()
{
    if (licenses) {
        licenses->raise();
        licenses->activateWindow();
        return;
    }
    // Built afresh each time, so it opens on its first notice.
    licenses = new OpenSourceLicensesView(window());
    licenses->open();
}

void GeneralOptionsPage::sync()
{
    languageRow->setVisible(mewt::isVisible(
        definition(OptionsSetting::generalLanguage).visibility, { int(settings.availableLanguages().size()) }));
    reviewLoginItems->parentWidget()->setVisible(loginItems.needsApproval());
    const std::optional<QString>& error = loginItems.errorMessage();
    loginError->setText(error.value_or(QString()));
    loginError->setVisible(error.has_value());
}

void GeneralOptionsPage::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::LanguageChange)
        retranslate();
    OptionsPage::changeEvent(event);
}

void GeneralOptionsPage::retranslate()
{
    if (madeWith) {
        madeWith->setText(QCoreApplication::translate("mewt", "made with ♥"));
        separator->setText(QCoreApplication::translate("mewt", "·"));
    }
    replay->setText(QCoreApplication::translate("mewt", "replay"));
}

} // namespace mewt
