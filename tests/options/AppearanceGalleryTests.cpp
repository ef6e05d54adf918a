#include "AppearanceRig.h"
#include "model/AppLanguage.h"
#include "options/CatBedGridPicker.h"
#include "options/OptionsPalette.h"
#include "options/PickerTile.h"

#include <QApplication>
#include <QDir>
#include <QStyleFactory>
#include <QTranslator>
#include <gtest/gtest.h>

using namespace mewt;

namespace {

struct Look {
    bool dark;
    bool japanese;
};

// Columns of a tile's picture band that differ from its background: the bed's drawn width.
int drawnWidth(const QImage& tile, int top, int bottom, int inset)
{
    const QRgb background = tile.pixel(inset, top);
    int left = tile.width();
    int right = -1;
    for (int y = top; y < bottom; ++y) {
        for (int x = inset; x < tile.width() - inset; ++x) {
            if (tile.pixel(x, y) != background) {
                left = std::min(left, x);
                right = std::max(right, x);
            }
        }
    }
    return right - left + 1;
}

// The page at the options window's detail size (540 x 448), light and dark, English and Japanese.
// Each bed keeps its 54 x 24 pixels in a wider column. Set MEWT_GALLERY_DIR to keep the pictures.
class AppearanceGallery : public ::testing::TestWithParam<Look> { };

TEST_P(AppearanceGallery, FitsThePageWithBedsUnstretched)
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
        ASSERT_GT(tile->width(), 54 + 2 * CatBedGridPicker::cellPadding);
        const QImage picture = tile->grab().toImage();
        const qreal ratio = picture.devicePixelRatio();
        const int top = int(CatBedGridPicker::cellPadding * ratio);
        const int width = drawnWidth(picture, top, top + int(CatBedGridPicker::pictureHeight * ratio), int(6 * ratio));
        EXPECT_GT(width, 0) << tile->name().toStdString();
        EXPECT_LE(width, int(54 * ratio)) << tile->name().toStdString();
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
