#include "platform/XSettings.h"

#include <gtest/gtest.h>

using namespace mewt;

namespace {

// Settings data as a manager writes it, in either byte order.
class Blob {
public:
    explicit Blob(bool msbFirst, quint32 count)
        : msb(msbFirst)
    {
        bytes.append(char(msb ? 1 : 0)).append(3, '\0');
        card(7, 4).card(count, 4);
    }
    Blob& card(quint32 value, int size)
    {
        for (int i = 0; i < size; ++i)
            bytes.append(char(value >> 8 * (msb ? size - 1 - i : i)));
        return *this;
    }
    Blob& padded(const QByteArray& text)
    {
        bytes.append(text).append((4 - text.size() % 4) % 4, '\0');
        return *this;
    }
    Blob& head(quint8 type, const QByteArray& name)
    {
        bytes.append(char(type)).append('\0');
        return card(name.size(), 2).padded(name).card(3, 4);
    }
    Blob& string(const QByteArray& name, const QByteArray& value)
    {
        return head(1, name).card(value.size(), 4).padded(value);
    }
    QByteArray bytes;

private:
    bool msb;
};

QByteArray desktop(bool msb, const QByteArray& theme)
{
    Blob blob(msb, 4);
    blob.head(0, "Net/DoubleClickTime").card(400, 4);
    blob.string("Net/ThemeName", theme);
    blob.head(2, "Gtk/Color").card(0xFFFF, 2).card(0, 2).card(0, 2).card(0xFFFF, 2);
    blob.string("Gtk/FontName", "Sans 10");
    return blob.bytes;
}

} // namespace

TEST(XSettings, ReadsEitherByteOrderAndTellsADarkTheme)
{
    const std::pair<const char*, bool> themes[] = { { "Adwaita-dark", true }, { "Greybird-Dark", true },
        { "Adwaita:dark", true }, { "Adwaita", false }, { "Darkroom", false }, { "dark", false }, { "", false } };
    for (const bool msb : { false, true }) {
        for (const auto& [theme, dark] : themes) {
            SCOPED_TRACE(std::string(theme) + (msb ? " msb" : " lsb"));
            const std::optional<XSettings> settings = XSettings::parse(desktop(msb, theme));
            ASSERT_TRUE(settings);
            EXPECT_EQ(settings->string("Net/ThemeName"), QString::fromLatin1(theme));
            EXPECT_EQ(settings->string("Gtk/FontName"), QStringLiteral("Sans 10"));
            EXPECT_EQ(settings->themeIsDark(), dark);
        }
    }
    const std::optional<XSettings> none = XSettings::parse(Blob(false, 0).bytes);
    ASSERT_TRUE(none);
    EXPECT_FALSE(none->string("Net/ThemeName") || none->themeIsDark());
}

TEST(XSettings, MalformedDataIsRefusedWhole)
{
    const QByteArray good = desktop(false, "Adwaita-dark");
    // Cut anywhere, even in the last string's padding, it is refused.
    for (qsizetype length = 0; length < good.size(); ++length)
        EXPECT_FALSE(XSettings::parse(QByteArrayView(good).first(length))) << length << " bytes";
    QByteArray badOrder = good;
    badOrder[0] = 'l';
    const std::pair<const char*, QByteArray> cases[] = {
        { "unknown byte order", badOrder },
        { "huge count", Blob(false, 0xFFFFFFFF).string("Net/ThemeName", "Adwaita-dark").bytes },
        { "unknown type", Blob(false, 1).head(3, "Net/ThemeName").card(0, 4).bytes },
        { "string past the end", Blob(true, 1).head(1, "Net/ThemeName").card(0xFFFFFFFC, 4).padded("x").bytes },
    };
    for (const auto& [what, data] : cases)
        EXPECT_FALSE(XSettings::parse(data)) << what;
}
