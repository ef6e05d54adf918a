#include "model/InterfaceSettingsStore.h"
#include "shell/InterfaceTranslator.h"

#include <QCoreApplication>
#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace mewt;

namespace {

const std::vector<AppLanguage> everyLanguage { AppLanguage::system, AppLanguage::catalan, AppLanguage::korean,
    AppLanguage::japanese, AppLanguage::simplifiedChinese };

TEST(InterfaceTranslator, PicksTheFirstDesktopLanguageWeTranslate)
{
    const std::tuple<QStringList, std::vector<AppLanguage>, std::optional<AppLanguage>> cases[] = {
        { { "ca-ES", "ca" }, everyLanguage, AppLanguage::catalan },
        { { "ko-KR" }, everyLanguage, AppLanguage::korean },
        { { "ja_JP" }, everyLanguage, AppLanguage::japanese },
        { { "zh-Hans-CN", "zh-CN", "zh" }, everyLanguage, AppLanguage::simplifiedChinese },
        { { "zh-SG" }, everyLanguage, AppLanguage::simplifiedChinese },
        { { "zh-Hant-TW", "zh-TW", "zh" }, everyLanguage, std::nullopt },
        { { "zh-HK" }, everyLanguage, std::nullopt },
        { { "de-DE", "de", "ja-JP" }, everyLanguage, AppLanguage::japanese },
        { { "en-US", "en", "ko-KR" }, everyLanguage, std::nullopt },
        { { "ko-KR", "ja-JP" }, { AppLanguage::system, AppLanguage::japanese }, AppLanguage::japanese },
        { {}, everyLanguage, std::nullopt },
    };
    for (const auto& [uiLanguages, available, expected] : cases)
        EXPECT_EQ(InterfaceTranslator::languageForDesktop(uiLanguages, available), expected)
            << uiLanguages.join(QLatin1Char(',')).toStdString();
}

TEST(InterfaceTranslator, InstallsAndRemovesTheChosenLanguage)
{
    const std::vector<AppLanguage> available = compiledInLanguages();
    const QString key = QStringLiteral("mewt timer complete");
    {
        InterfaceTranslator translator;
        translator.install(AppLanguage::japanese, available);
        EXPECT_EQ(translator.installedLanguage(), AppLanguage::japanese);
        EXPECT_NE(QCoreApplication::translate("mewt", "mewt timer complete"), key);
        translator.install(AppLanguage::system, { AppLanguage::system });
        EXPECT_FALSE(translator.installedLanguage());
        EXPECT_EQ(QCoreApplication::translate("mewt", "mewt timer complete"), key);
        translator.install(AppLanguage::japanese, available);
    }
    // Gone with its owner.
    EXPECT_EQ(QCoreApplication::translate("mewt", "mewt timer complete"), key);
}

// One minute is singular in English and in each language: English's table lies under the chosen one's.
TEST(InterfaceTranslator, CountsOneMinuteInTheSingularInEveryLanguage)
{
    const std::pair<AppLanguage, QStringList> cases[] = {
        { AppLanguage::system, { "1 minute", "2 minutes", "focus duration, 1 minute" } },
        { AppLanguage::catalan, { "1 minut", "2 minuts", "durada de focus, 1 minut" } },
        { AppLanguage::korean, { "1분", "2분", "focus 시간, 1분" } },
        { AppLanguage::japanese, { "1分", "2分", "focusの時間、1分" } },
        { AppLanguage::simplifiedChinese, { "1 分钟", "2 分钟", "focus时长，1 分钟" } },
    };
    InterfaceTranslator translator;
    for (const auto& [language, expected] : cases) {
        // `system` offered alone is English.
        const std::vector<AppLanguage> offered { AppLanguage::system };
        translator.install(language, language == AppLanguage::system ? offered : compiledInLanguages());
        const QStringList read { QCoreApplication::translate("mewt", "%n minutes", nullptr, 1),
            QCoreApplication::translate("mewt", "%n minutes", nullptr, 2),
            QCoreApplication::translate("mewt", "%1 duration, %n minutes", nullptr, 1).arg("focus") };
        EXPECT_EQ(read.join(" | ").toStdString(), expected.join(" | ").toStdString());
    }
}

// A line edit's context menu: Qt's own text, not ours.
QString copyAction()
{
    return QCoreApplication::translate("QLineEdit", "&Copy");
}

TEST(QtTranslations, FollowTheChosenLanguageWhenTheSystemHasThem)
{
    const std::vector<AppLanguage> available = compiledInLanguages();
    // Without them only Qt's texts stay English.
    QTemporaryDir empty;
    InterfaceTranslator missing(empty.path());
    missing.install(AppLanguage::catalan, available);
    EXPECT_EQ(missing.installedLanguage(), AppLanguage::catalan);
    EXPECT_FALSE(missing.translatesQtTexts());
    EXPECT_EQ(copyAction(), QStringLiteral("&Copy"));

    const QString folder = InterfaceTranslator::systemQtTranslationsFolder();
    if (QDir(folder).entryList({ QStringLiteral("qtbase_*.qm") }).isEmpty())
        GTEST_SKIP() << "no Qt translations in " << folder.toStdString() << " (Debian: qt6-translations-l10n)";
    for (const AppLanguage language : available) {
        if (language == AppLanguage::system)
            continue; // follows the desktop, which the test does not control
        InterfaceTranslator translator(folder);
        translator.install(language, available);
        EXPECT_TRUE(translator.translatesQtTexts()) << rawValue(language).toStdString();
        EXPECT_NE(copyAction(), QStringLiteral("&Copy")) << rawValue(language).toStdString();
        translator.install(AppLanguage::system, { AppLanguage::system });
        EXPECT_EQ(copyAction(), QStringLiteral("&Copy"));
    }
}

} // namespace
