#include "model/AppLanguage.h"

namespace mewt {

QString rawValue(AppLanguage language)
{
    switch (language) {
    case AppLanguage::system: return QStringLiteral("system");
    case AppLanguage::catalan: return QStringLiteral("ca");
    case AppLanguage::korean: return QStringLiteral("ko");
    case AppLanguage::japanese: return QStringLiteral("ja");
    case AppLanguage::simplifiedChinese: return QStringLiteral("zh-Hans");
    }
    return QStringLiteral("system");
}

std::optional<AppLanguage> appLanguageFromRawValue(const QString& raw)
{
    for (const AppLanguage language : allAppLanguages) {
        if (rawValue(language) == raw)
            return language;
    }
    return std::nullopt;
}

QString nativeName(AppLanguage language)
{
    switch (language) {
    case AppLanguage::system: return QStringLiteral("system");
    case AppLanguage::catalan: return QStringLiteral("català");
    case AppLanguage::korean: return QStringLiteral("한국어");
    case AppLanguage::japanese: return QStringLiteral("日本語");
    case AppLanguage::simplifiedChinese: return QStringLiteral("简体中文");
    }
    return QString();
}

QLocale locale(AppLanguage language)
{
    switch (language) {
    case AppLanguage::system: return QLocale::system();
    case AppLanguage::simplifiedChinese: return QLocale(QLocale::Chinese, QLocale::SimplifiedHanScript, QLocale::China);
    default: return QLocale(rawValue(language));
    }
}

QString translationResource(AppLanguage language)
{
    if (language == AppLanguage::system)
        return QString();
    return QStringLiteral(":/i18n/mewt_%1.qm").arg(rawValue(language));
}

QString englishPluralsResource()
{
    return QStringLiteral(":/i18n/mewt_en.qm");
}

} // namespace mewt
