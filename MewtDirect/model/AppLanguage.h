#pragma once

#include <QLocale>
#include <QString>
#include <array>
#include <optional>

namespace mewt {

// The interface languages, in the order the language picker lists them.
enum class AppLanguage { system, catalan, korean, japanese, simplifiedChinese };

inline constexpr std::array allAppLanguages = { AppLanguage::system, AppLanguage::catalan, AppLanguage::korean,
    AppLanguage::japanese, AppLanguage::simplifiedChinese };

// "system", "ca", "ko", "ja", "zh-Hans": what is stored, and the locale name of every real language.
QString rawValue(AppLanguage language);
std::optional<AppLanguage> appLanguageFromRawValue(const QString& raw);

// The name of the language in itself, as the picker shows it.
QString nativeName(AppLanguage language);

// The desktop's current locale for `system`, otherwise the language's own.
QLocale locale(AppLanguage language);

// Where the compiled translation of a language lives in the resources (empty for `system`).
QString translationResource(AppLanguage language);
// English's own table: only the singular and plural of the texts that count ("%n minutes").
QString englishPluralsResource();

} // namespace mewt
