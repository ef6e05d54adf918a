#include "AppearanceRig.h"
#include "artwork/CatBedSprite.h"
#include "model/AppLanguage.h"
#include "model/CatBed.h"
#include "options/CatBedGridPicker.h"
#include "options/OptionsPalette.h"
#include "options/PickerTile.h"

#include <QApplication>
#include <QDir>
#include <QStyleFactory>
#include <QTranslator>
#include <gtest/gtest.h>
#include <set>

using namespace mewt;

namespace {

struct Look {
    bool dark;
    bool japanese;
};

// The columns a picture covers, first and last, and the colours in it.
struct Drawn {
    int left = 0;
    int right = -1;
    std::set<QRgb> colours;
};

// A tile's picture band: the columns that differ from the band's background.
Drawn drawnBand(const QImage& tile, int top, int bottom, int inset)
{
    const QRgb background = tile.pixel(inset, top);
    Drawn drawn { tile.width(), -1, {} };
    for (int y = top; y < bottom; ++y) {
        for (int x = inset; x < tile.width() - inset; ++x) {
            drawn.colours.insert(tile.pixel(x, y));
            if (tile.pixel(x, y) != background) {
                drawn.left = std::min(drawn.left, x - inset);
                drawn.right = std::max(drawn.right, x - inset);
            }
        }
    }
    return drawn;
}

// The sprite's own: its opaque columns and its colours.
Drawn drawnSprite(const QImage& picture)
{
    Drawn drawn { picture.width(), -1, {} };
    for (int y = 0; y < picture.height(); ++y) {
        for (int x = 0; x < picture.width(); ++x) {
            drawn.colours.insert(picture.pixel(x, y));
            if (qAlpha(picture.pixel(x, y)) > 0) {
                drawn.left = std::min(drawn.left, x);
                drawn.right = std::max(drawn.right, x);
            }
        }
    }
    return drawn;
}

// The page at the options window's detail size (540 x 448), light and dark, English and Japanese.
// Each bed's 54 x 24 picture is stretched to its column's width, its pixels hard-edged blocks: no
// colour in the band that the picture over the tile's fill would not give. Set MEWT_GALLERY_DIR to
// keep the pictures.
class AppearanceGallery : public ::testing::TestWithParam<Look> { };

TEST_P(AppearanceGallery, FitsThePageWithBedsStretchedToTheirColumns)
{
    QTranslator translator;
    if (GetParam().japanese && translator.load(translationResource(AppLanguage::japanese)))
        QCoreApplication::installTranslator(&translator);
    QApplication::setStyle(QStyleFactory::create("Fusion"));
    mewt::testing::AppearanceRig rig;
    rig.defaults.seed(ThemeStore::selectedKey, "orange-tabby");
    AppearanceOptionsPage& page = rig.open();
    page.setPalette(optionsPalette(GetParam().dark));
    page.setAutoFillBackground(true);
    page.resize(540, 448);
    page.show();
    QCoreApplication::processEvents();

    for (PickerTile* tile : page.bedPicker().tiles()) {
        SCOPED_TRACE(tile->name().toStdString());
        const int padding = CatBedGridPicker::cellPadding;
        ASSERT_GT(tile->width() - 2 * padding, catBedSpriteWidth * 3 / 2);
        const QImage shot = tile->grab().toImage().convertToFormat(QImage::Format_ARGB32);
        ASSERT_EQ(shot.devicePixelRatio(), 1.0);
        const Drawn band = drawnBand(shot, padding, padding + CatBedGridPicker::pictureHeight, padding);
        const Drawn sprite = drawnSprite(catBedSpriteImage(CatBed::withId(tile->id()).spriteIndex));
        const qreal scale = qreal(tile->width() - 2 * padding) / catBedSpriteWidth;
        EXPECT_NEAR(band.left, sprite.left * scale, scale);
        EXPECT_NEAR(band.right + 1, (sprite.right + 1) * scale, scale);
        EXPECT_LE(band.colours.size(), sprite.colours.size() + 1);
    }

    const QString folder = qEnvironmentVariable("MEWT_GALLERY_DIR");
    if (!folder.isEmpty()) {
        QDir().mkpath(folder);
        page.grab().save(
            QDir(folder).filePath(QStringLiteral("appearance-%1-%2.png")
                                      .arg(GetParam().dark ? "dark" : "light", GetParam().japanese ? "ja" : "en")));
    }
    QCoreApplication::removeTranslator(&translator);
}

INSTANTIATE_TEST_SUITE_P(Looks, AppearanceGallery,
    ::testing::Values(Look { false, false }, Look { true, false }, Look { false, true }, Look { true, true }),
    [](const ::testing::TestParamInfo<Look>& info) {
        return std::string(info.param.dark ? "Dark" : "Light") + (info.param.japanese ? "Japanese" : "English");
    });

} // namespace
