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
#include <functional>
#include <gtest/gtest.h>
#include <set>

using namespace mewt;

namespace {

struct Look {
    bool dark;
    bool japanese;
};

// The columns of `image` (inside `inset` on each side, `top` to `bottom`) holding a pixel that
// `drawn` accepts, first and last, and the colours met there.
struct Drawn {
    int left;
    int right;
    std::set<QRgb> colours;
};
Drawn drawnColumns(const QImage& image, int top, int bottom, int inset, const std::function<bool(QRgb)>& drawn)
{
    Drawn found { image.width(), -1, {} };
    for (int y = top; y < bottom; ++y) {
        for (int x = inset; x < image.width() - inset; ++x) {
            found.colours.insert(image.pixel(x, y));
            if (drawn(image.pixel(x, y))) {
                found.left = std::min(found.left, x - inset);
                found.right = std::max(found.right, x - inset);
            }
        }
    }
    return found;
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
        const Drawn band = drawnColumns(shot, padding, padding + CatBedGridPicker::pictureHeight, padding,
            [fill = shot.pixel(shot.width() / 2, padding - 2)](QRgb pixel) { return pixel != fill; });
        const QImage picture = catBedSpriteImage(CatBed::withId(tile->id()).spriteIndex);
        const Drawn sprite
            = drawnColumns(picture, 0, picture.height(), 0, [](QRgb pixel) { return qAlpha(pixel) > 0; });
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
