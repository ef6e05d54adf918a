#pragma once

#include "model/AppLanguage.h"

#include <QStringList>
#include <QTranslator>
#include <memory>
#include <optional>
#include <vector>

namespace mewt {

// Installs the translation of the interface language: the chosen one, or for `system` the first
// of the desktop's languages we have a translation for (none leaves the English texts).
class InterfaceTranslator final {
    Q_DISABLE_COPY_MOVE(InterfaceTranslator)

public:
    InterfaceTranslator() = default;
    ~InterfaceTranslator();

    // Replaces the installed translation. `available` lists the offered languages.
    void install(AppLanguage language, const std::vector<AppLanguage>& available);
    // The language whose translation is installed; none for English.
    std::optional<AppLanguage> installedLanguage() const { return installed; }

    // The first of `uiLanguages` (BCP 47 names, most wanted first, as QLocale::uiLanguages gives
    // them) that one of `available` translates; Chinese counts only in its simplified script.
    static std::optional<AppLanguage> languageForDesktop(
        const QStringList& uiLanguages, const std::vector<AppLanguage>& available);

private:
    void remove();

    std::unique_ptr<QTranslator> translator;
    std::optional<AppLanguage> installed;
};

} // namespace mewt
