#include <QDir>
#include <QFile>
#include <QMap>
#include <QXmlStreamReader>
#include <gtest/gtest.h>

namespace {

const QString context = QStringLiteral("mewt");

struct Translation {
    QString text;
    QString type; // "unfinished", "vanished", "obsolete" or empty for a finished one
};

// The messages of context "mewt" in a Qt Linguist file, by source text. Plural forms count as
// translated when every form is.
std::optional<QMap<QString, Translation>> readTable(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    QXmlStreamReader xml(&file);
    QMap<QString, Translation> messages;
    QString currentContext;
    QString source;
    Translation translation;
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isStartElement()) {
            const auto name = xml.name();
            if (name == QLatin1String("name"))
                currentContext = xml.readElementText();
            else if (name == QLatin1String("message"))
                translation = {};
            else if (name == QLatin1String("source"))
                source = xml.readElementText();
            else if (name == QLatin1String("translation"))
                translation.type = xml.attributes().value(QLatin1String("type")).toString();
            else if (name == QLatin1String("numerusform")) {
                const QString form = xml.readElementText();
                if (form.isEmpty())
                    translation.type = QStringLiteral("unfinished");
                translation.text += form;
            }
        } else if (xml.isCharacters() && !xml.isWhitespace() && translation.text.isEmpty()) {
            translation.text = xml.text().toString();
        } else if (xml.isEndElement() && xml.name() == QLatin1String("message") && currentContext == context) {
            messages.insert(source, translation);
        }
    }
    if (xml.hasError())
        return std::nullopt;
    return messages;
}

class TranslationTable : public ::testing::TestWithParam<const char*> { };

// A key the sources use but a table lacks, leaves unfinished or empty shows in English to a user
// who chose that language.
TEST_P(TranslationTable, TranslatesEveryKeyTheSourcesUse)
{
    const auto keys = readTable(QStringLiteral(MEWT_SOURCE_KEYS));
    ASSERT_TRUE(keys) << "no keys gathered at " MEWT_SOURCE_KEYS;
    ASSERT_FALSE(keys->isEmpty());
    const QString path
        = QDir(QStringLiteral(MEWT_TRANSLATIONS_DIR)).filePath(QStringLiteral("mewt_%1.ts").arg(GetParam()));
    const auto table = readTable(path);
    ASSERT_TRUE(table) << path.toStdString() << " cannot be read";

    QStringList untranslated;
    for (auto key = keys->cbegin(); key != keys->cend(); ++key) {
        const auto found = table->constFind(key.key());
        if (found == table->cend() || !found->type.isEmpty() || found->text.isEmpty())
            untranslated.append(key.key());
    }
    EXPECT_TRUE(untranslated.isEmpty()) << untranslated.size() << " untranslated in " << GetParam() << ":\n  "
                                        << untranslated.join(QStringLiteral("\n  ")).toStdString();
}

INSTANTIATE_TEST_SUITE_P(Languages, TranslationTable, ::testing::Values("ca", "ko", "ja", "zh-Hans"),
    [](const ::testing::TestParamInfo<const char*>& info) {
        std::string name = info.param;
        name.erase(std::remove(name.begin(), name.end(), '-'), name.end());
        return name;
    });

} // namespace
