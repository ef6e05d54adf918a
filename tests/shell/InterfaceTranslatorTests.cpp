#include "InterfaceSettingsStore.h"
#include "InterfaceTranslator.h"

#include <QCoreApplication>
#include <gtest/gtest.h>

using namespace mewt;

namespace {

const std::vector<AppLanguage> everyLanguage { AppLanguage::system, AppLanguage::catalan, AppLanguage::korean,
    AppLanguage::japanese, AppLanguage::simplifiedChinese };

struct DesktopCase {
    QStringList uiLanguages;
    std::vector<AppLanguage> available;
    std::optional<AppLanguage> expected;
};

class DesktopLanguage : public ::testing::TestWithParam<DesktopCase> { };

TEST_P(DesktopLanguage, PicksTheFirstWeTranslate)
{
    const DesktopCase& c = GetParam();
    EXPECT_EQ(InterfaceTranslator::languageForDesktop(c.uiLanguages, c.available), c.expected)
        << c.uiLanguages.join(QLatin1Char(',')).toStdString();
}

INSTANTIATE_TEST_SUITE_P(Rule, DesktopLanguage,
    ::testing::Values(DesktopCase { { "ca-ES", "ca" }, everyLanguage, AppLanguage::catalan },
        DesktopCase { { "ko-KR" }, everyLanguage, AppLanguage::korean },
        DesktopCase { { "ja_JP" }, everyLanguage, AppLanguage::japanese },
        DesktopCase { { "zh-Hans-CN", "zh-CN", "zh" }, everyLanguage, AppLanguage::simplifiedChinese },
        DesktopCase { { "zh-SG" }, everyLanguage, AppLanguage::simplifiedChinese },
        DesktopCase { { "zh-Hant-TW", "zh-TW", "zh" }, everyLanguage, std::nullopt },
        DesktopCase { { "zh-HK" }, everyLanguage, std::nullopt },
        DesktopCase { { "de-DE", "de", "ja-JP" }, everyLanguage, AppLanguage::japanese },
        DesktopCase { { "en-US", "en", "ko-KR" }, everyLanguage, std::nullopt },
        DesktopCase { { "ko-KR", "ja-JP" }, { AppLanguage::system, AppLanguage::japanese }, AppLanguage::japanese },
        DesktopCase { { "ca-ES" }, { AppLanguage::system }, std::nullopt },
        DesktopCase { {}, everyLanguage, std::nullopt }));

TEST(InterfaceTranslator, InstallsAndRemovesTheChosenLanguage)
{
    const std::vector<AppLanguage> available = compiledInLanguages();
    if (std::find(available.begin(), available.end(), AppLanguage::japanese) == available.end())
        GTEST_SKIP() << "no Japanese translation compiled in";
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

} // namespace
