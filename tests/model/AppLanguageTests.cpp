#include "AppLanguage.h"

#include <QTranslator>

#include <gtest/gtest.h>

using namespace mewt;

namespace {

TEST(AppLanguage, RawValuesRoundTripAndUnknownIsRefused)
{
    for (const AppLanguage language : allAppLanguages)
        EXPECT_EQ(appLanguageFromRawValue(rawValue(language)), language);
    EXPECT_EQ(appLanguageFromRawValue(QStringLiteral("zh")), std::nullopt);
    EXPECT_EQ(appLanguageFromRawValue(QStringLiteral("")), std::nullopt);
}

TEST(AppLanguage, EveryRealLanguageHasACompiledTranslation)
{
    for (const AppLanguage language : allAppLanguages) {
        if (language == AppLanguage::system)
            continue;
        QTranslator translator;
        ASSERT_TRUE(translator.load(translationResource(language))) << rawValue(language).toStdString();
        const QString title = translator.translate("mewt", "mewt timer complete");
        EXPECT_FALSE(title.isEmpty());
        EXPECT_NE(title, QStringLiteral("mewt timer complete"));
    }
}

TEST(AppLanguage, LocalesMatchTheLanguage)
{
    EXPECT_EQ(locale(AppLanguage::korean).language(), QLocale::Korean);
    EXPECT_EQ(locale(AppLanguage::simplifiedChinese).script(), QLocale::SimplifiedHanScript);
    EXPECT_EQ(locale(AppLanguage::catalan).language(), QLocale::Catalan);
}

} // namespace
