#include "AppearanceRig.h"
#include "model/AppLanguage.h"
#include "options/CatBedGridPicker.h"
#include "options/OptionsPalette.h"
#include "options/PickerTile.h"
#include "options/SettingsForm.h"

#include <QApplication>
#include <QDir>
#include <QStyleFactory>
#include <QTranslator>
#include <gtest/gtest.h>

using namespace mewt;
using mewt::testing::AppearanceRig;

namespace {

constexpr int detailWidth = 540;
constexpr int pageHeight = 448;

struct Look {
    bool dark;
    bool japanese;
};

// The page at the options window's detail size, light and dark, English and Japanese. Set
// MEWT_GALLERY_DIR to keep the pictures.
class AppearanceGallery : public ::testing::TestWithParam<Look> {
protected:
    void SetUp() override
    {
        if (GetParam().japanese && translator.load(translationResource(AppLanguage::japanese)))
            QCoreApplication::installTranslator(&translator);
        QApplication::setStyle(QStyleFactory::create("Fusion"));
        rig.defaults.seed(ThemeStore::selectedKey, "orange-tabby");
        rig.build();
        AppearanceOptionsPage& page = rig.open();
        page.setPalette(optionsPalette(GetParam().dark));
        page.setAutoFillBackground(true);
        page.resize(detailWidth, pageHeight);
        page.show();
        QCoreApplication::processEvents();
    }
    void TearDown() override { QCoreApplication::removeTranslator(&translator); }

    AppearanceRig rig;
    QTranslator translator;
};

// Nothing reaches past the page or a row, and each bed picture keeps its 54 x 24 pixels however
// wide its column is.
TEST_P(AppearanceGallery, FitsThePageWithBedsUnstretched)
{
    AppearanceOptionsPage& page = *rig.page;
    SettingsForm& form = page.form();
    const QRect visible = form.viewport()->rect();
    for (const OptionsSetting setting : form.registeredSettings()) {
        QWidget* row = form.row(setting);
        EXPECT_TRUE(visible.contains(QRect(row->mapTo(form.viewport(), QPoint()), row->size())))
            << rawValue(setting).toStdString();
    }

    for (PickerTile* tile : page.bedPicker().tiles()) {
        ASSERT_GT(tile->width(), 54 + 2 * CatBedGridPicker::cellPadding); // wider than the picture
        const QImage picture = tile->grab().toImage();
        const qreal ratio = picture.devicePixelRatio();
        const int top = int(CatBedGridPicker::cellPadding * ratio);
        const int bottom = int((CatBedGridPicker::cellPadding + CatBedGridPicker::pictureHeight) * ratio);
        const QRgb background = picture.pixel(int(6 * ratio), top + 1);
        int left = picture.width();
        int right = -1;
        for (int y = top; y < bottom; ++y) {
            for (int x = int(6 * ratio); x < picture.width() - int(6 * ratio); ++x) {
                if (picture.pixel(x, y) != background) {
                    left = std::min(left, x);
                    right = std::max(right, x);
                }
            }
        }
        EXPECT_GT(right, left) << tile->name().toStdString();
        EXPECT_LE(right - left + 1, int(54 * ratio)) << tile->name().toStdString();
        EXPECT_NEAR((left + right) / 2.0, picture.width() / 2.0, 2 * ratio) << tile->name().toStdString();
    }

    const QString folder = qEnvironmentVariable("MEWT_GALLERY_DIR");
    if (!folder.isEmpty()) {
        QDir().mkpath(folder);
        const QString name = QStringLiteral("appearance-%1-%2.png")
                                 .arg(GetParam().dark ? "dark" : "light", GetParam().japanese ? "ja" : "en");
        page.grab().save(QDir(folder).filePath(name));
    }
}

INSTANTIATE_TEST_SUITE_P(Looks, AppearanceGallery,
    ::testing::Values(Look { false, false }, Look { true, false }, Look { false, true }, Look { true, true }),
    [](const ::testing::TestParamInfo<Look>& info) {
        return std::string(info.param.dark ? "Dark" : "Light") + (info.param.japanese ? "Japanese" : "English");
    });

} // namespace
