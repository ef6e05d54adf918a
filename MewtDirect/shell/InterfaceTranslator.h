#pragma once

#include "model/AppLanguage.h"

#include <QStringList>
#include <QTranslator>
#include <memory>
#include <optional>
#include <vector>

namespace mewt {

// Installs the translation of the interface language: the chosen one, or for `system` the first
// of the desktop's languages we have a translation for (none leaves the English texts). Qt's own
// texts (a line edit's context menu) follow in the same language when the system has them. Under
// every language lies English's table of the texts that count, so that one reads "1 minute".
class InterfaceTranslator final {
    Q_DISABLE_COPY_MOVE(InterfaceTranslator)

public:
    // Tests hand in a folder in place of the system's Qt translations.
    explicit InterfaceTranslator(QString qtTranslationsFolder = systemQtTranslationsFolder());
    ~InterfaceTranslator();

    // Replaces the installed translation. `available` lists the offered languages.
    void install(AppLanguage language, const std::vector<AppLanguage>& available);
    // The language whose translation is installed; none for English.
    std::optional<AppLanguage> installedLanguage() const { return installed; }
    // Whether Qt's own texts were found in that language too.
    bool translatesQtTexts() const { return qtTranslator != nullptr; }

    static QString systemQtTranslationsFolder();

    // The first of `uiLanguages` (BCP 47 names, most wanted first, as QLocale::uiLanguages gives
    // them) that one of `available` translates; Chinese counts only in its simplified script.
    static std::optional<AppLanguage> languageForDesktop(
        const QStringList& uiLanguages, const std::vector<AppLanguage>& available);

private:
    void remove();

    QString qtFolder;
    std::unique_ptr<QTranslator> translator;
    std::unique_ptr<QTranslator> qtTranslator;
    std::unique_ptr<QTranslator> englishPlurals;
    std::optional<AppLanguage> installed;
};

} // namespace mewt
