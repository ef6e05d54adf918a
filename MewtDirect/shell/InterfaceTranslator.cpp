#include "shell/InterfaceTranslator.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <algorithm>

namespace mewt {

namespace {

bool isTraditionalChinese(const QStringList& parts)
{
    for (const QString& part : parts.mid(1)) {
        if (part == QLatin1String("hans"))
            return false;
        if (part == QLatin1String("hant") || part == QLatin1String("tw") || part == QLatin1String("hk")
            || part == QLatin1String("mo"))
            return true;
    }
    return false;
}

QStringList subtags(const QString& tag)
{
    return tag.toLower().replace(QLatin1Char('_'), QLatin1Char('-')).split(QLatin1Char('-'));
}

std::optional<AppLanguage> languageForTag(const QStringList& parts)
{
    const QString primary = parts.value(0);
    if (primary == QLatin1String("ca"))
        return AppLanguage::catalan;
    if (primary == QLatin1String("ko"))
        return AppLanguage::korean;
    if (primary == QLatin1String("ja"))
        return AppLanguage::japanese;
    if (primary == QLatin1String("zh") && !isTraditionalChinese(parts))
        return AppLanguage::simplifiedChinese;
    return std::nullopt;
}

} // namespace

InterfaceTranslator::InterfaceTranslator(QString qtTranslationsFolder)
    : qtFolder(std::move(qtTranslationsFolder))
    , englishPlurals(std::make_unique<QTranslator>())
{
    // Installed first, so each language's table, installed later, is asked before it.
    if (englishPlurals->load(englishPluralsResource()))
        QCoreApplication::installTranslator(englishPlurals.get());
    else
        englishPlurals.reset();
}

QString InterfaceTranslator::systemQtTranslationsFolder()
{
    return QLibraryInfo::path(QLibraryInfo::TranslationsPath);
}

InterfaceTranslator::~InterfaceTranslator()
{
    remove();
    if (englishPlurals)
        QCoreApplication::removeTranslator(englishPlurals.get());
}

std::optional<AppLanguage> InterfaceTranslator::languageForDesktop(
    const QStringList& uiLanguages, const std::vector<AppLanguage>& available)
{
    bool traditionalChinese = false;
    for (const QString& tag : uiLanguages) {
        // English needs no translation and stops the search, so a later language never wins over it.
        if (tag.startsWith(QLatin1String("en"), Qt::CaseInsensitive) || tag == QLatin1String("C"))
            return std::nullopt;
        const QStringList parts = subtags(tag);
        // A bare "zh" after a traditional tag is only that tag's fallback.
        if (parts.value(0) == QLatin1String("zh")) {
            if (isTraditionalChinese(parts))
                traditionalChinese = true;
            else if (traditionalChinese && parts.size() == 1)
                continue;
        }
        const std::optional<AppLanguage> language = languageForTag(parts);
        if (language && std::find(available.begin(), available.end(), *language) != available.end())
            return language;
    }
    return std::nullopt;
}

void InterfaceTranslator::install(AppLanguage language, const std::vector<AppLanguage>& available)
{
    const std::optional<AppLanguage> wanted = language == AppLanguage::system
        ? languageForDesktop(QLocale::system().uiLanguages(), available)
        : std::optional(language);
    if (wanted == installed && (translator || !wanted))
        return;
    remove();
    if (!wanted)
        return;
    auto next = std::make_unique<QTranslator>();
    if (!next->load(translationResource(*wanted))) {
        qWarning("mewt: the %s translation could not be loaded", qPrintable(rawValue(*wanted)));
        return;
    }
    QCoreApplication::installTranslator(next.get());
    translator = std::move(next);
    installed = wanted;

    // Optional: without the distribution's Qt translations those few texts stay English.
    auto standard = std::make_unique<QTranslator>();
    if (standard->load(locale(*wanted), QStringLiteral("qtbase"), QStringLiteral("_"), qtFolder)) {
        QCoreApplication::installTranslator(standard.get());
        qtTranslator = std::move(standard);
    }
}

void InterfaceTranslator::remove()
{
    if (translator)
        QCoreApplication::removeTranslator(translator.get());
    if (qtTranslator)
        QCoreApplication::removeTranslator(qtTranslator.get());
    translator.reset();
    qtTranslator.reset();
    installed.reset();
}

} // namespace mewt
