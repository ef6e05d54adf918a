#include "../options/OptionsWindowRig.h"
#include "../popover/PopoverViewRig.h"
#include "options/OptionsView.h"
#include "popover/NotificationBanner.h"

#include <QDir>
#include <QFile>
#include <QMap>
#include <QSet>
#include <QTranslator>
#include <QXmlStreamReader>
#include <gtest/gtest.h>

namespace {

using namespace mewt;

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

class TranslationTable : public ::testing::TestWithParam<const char*> {
protected:
    // A text the table lacks, leaves unfinished or empty shows in English to a user who chose its
    // language.
    static void expectTranslated(QStringList texts, const char* what)
    {
        const QString path
            = QDir(QStringLiteral(MEWT_TRANSLATIONS_DIR)).filePath(QStringLiteral("mewt_%1.ts").arg(GetParam()));
        const auto table = readTable(path);
        ASSERT_TRUE(table) << path.toStdString() << " cannot be read";
        texts.removeIf([&table](const QString& text) {
            const auto found = table->constFind(text);
            return found != table->cend() && found->type.isEmpty() && !found->text.isEmpty();
        });
        texts.sort();
        EXPECT_TRUE(texts.isEmpty()) << texts.size() << " " << what << " in " << GetParam() << ":\n  "
                                     << texts.join(QStringLiteral("\n  ")).toStdString();
    }
};

TEST_P(TranslationTable, TranslatesEveryKeyTheSourcesUse)
{
    const auto keys = readTable(QStringLiteral(MEWT_SOURCE_KEYS));
    ASSERT_TRUE(keys) << "no keys gathered at " MEWT_SOURCE_KEYS;
    ASSERT_FALSE(keys->isEmpty());
    expectTranslated(keys->keys(), "untranslated");
}

// Notes every text of our context the views look up, found in a table or not.
class RecordingTranslator final : public QTranslator {
public:
    bool isEmpty() const override { return false; }
    QString translate(const char* context, const char* source, const char*, int) const override
    {
        if (QLatin1String(context) == QLatin1String("mewt"))
            asked.insert(QString::fromUtf8(source));
        return {};
    }
    mutable QSet<QString> asked;
};

// The texts the views ask for as they are shown: the banner in each of its states, the popover,
// and every page of the settings window.
QSet<QString> textsTheViewsAskFor()
{
    RecordingTranslator recorder;
    QCoreApplication::installTranslator(&recorder);
    for (const auto& [allowed, settingsUnavailable] :
        { std::pair { false, false }, std::pair { true, false }, std::pair { true, true } }) {
        NotificationBanner banner;
        NotificationBanner::Content content;
        content.allowed = allowed;
        content.settingsUnavailable = settingsUnavailable;
        banner.setContent(content);
    }
    mewt::testing::PopoverViewRig popover;
    popover.view().show();
    mewt::testing::OptionsWindowRig options;
    options.controller.show();
    QCoreApplication::processEvents();
    for (const OptionsCategory category : allOptionsCategories) {
        options.navigation.navigate(category);
        options.controller.view()->sync();
    }
    QCoreApplication::removeTranslator(&recorder);
    return recorder.asked;
}

// A text handed to the translator in a variable escapes the extraction above: it stays English
// for every user unless a table holds it all the same.
TEST_P(TranslationTable, HoldsEveryTextTheViewsShow)
{
    static const QSet<QString> asked = textsTheViewsAskFor();
    ASSERT_FALSE(asked.isEmpty());
    expectTranslated(asked.values(), "shown but not translated");
}

INSTANTIATE_TEST_SUITE_P(Languages, TranslationTable, ::testing::Values("ca", "ko", "ja", "zh-Hans"),
    [](const ::testing::TestParamInfo<const char*>& info) {
        std::string name = info.param;
        name.erase(std::remove(name.begin(), name.end(), '-'), name.end());
        return name;
    });

} // namespace
