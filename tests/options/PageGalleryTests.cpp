#include "PageRig.h"
#include "options/ControlsOptionsPage.h"
#include "options/GeneralOptionsPage.h"
#include "options/OpenSourceLicensesView.h"
#include "options/OptionsPalette.h"
#include "options/SettingsForm.h"
#include "options/SoundsOptionsPage.h"
#include "options/TimerOptionsPage.h"

#include <QApplication>
#include <QDir>
#include <QStyleFactory>
#include <QTranslator>
#include <gtest/gtest.h>

using namespace mewt;
using mewt::testing::PageRig;

namespace {

constexpr QSize pageSize(540, 620);

struct Look {
    bool dark;
    AppLanguage language;
};

// Every page as the options window will host it, in light and dark, in English and Japanese.
// Set MEWT_GALLERY_DIR to keep the pictures.
class PageGallery : public ::testing::TestWithParam<Look> {
protected:
    void SetUp() override
    {
        QApplication::setStyle(QStyleFactory::create("Fusion"));
        if (GetParam().language != AppLanguage::system && translator.load(translationResource(GetParam().language)))
            QCoreApplication::installTranslator(&translator);
        rig.interface.setLanguage(GetParam().language); // the picker shows the language's own name
        rig.loginItems.error = QStringLiteral("couldn't write the autostart entry: permission denied");
        rig.updates.current = UpdateRuntime::Status::message("updates aren't configured in this build.");
    }
    void TearDown() override { QCoreApplication::removeTranslator(&translator); }

    void look(OptionsPage& page, const char* name)
    {
        page.setPalette(optionsPalette(GetParam().dark));
        page.setAutoFillBackground(true);
        page.resize(pageSize);
        page.show();
        QCoreApplication::processEvents();
        // Nothing a row holds may reach past the page's edge or onto its neighbour.
        const QRect visible = page.form().viewport()->rect();
        for (const OptionsSetting setting : page.form().registeredSettings()) {
            QWidget* row = page.form().row(setting);
            if (!row->isVisibleTo(&page))
                continue;
            const QRect inPage(row->mapTo(page.form().viewport(), QPoint()), row->size());
            EXPECT_LE(inPage.right(), visible.right()) << name << " " << rawValue(setting).toStdString();
            EXPECT_GE(inPage.left(), visible.left()) << name << " " << rawValue(setting).toStdString();
        }
        save(page.grab(), name);
    }

    void save(const QPixmap& picture, const char* name)
    {
        const QString folder = qEnvironmentVariable("MEWT_GALLERY_DIR");
        if (folder.isEmpty())
            return;
        QDir().mkpath(folder);
        picture.save(QDir(folder).filePath(
            QStringLiteral("%1-%2-%3.png")
                .arg(QString::fromLatin1(name), GetParam().dark ? QStringLiteral("dark") : QStringLiteral("light"),
                    rawValue(GetParam().language))));
    }

    PageRig rig;
    QTranslator translator;
};

TEST_P(PageGallery, EveryPageFitsItsColumn)
{
    TimerOptionsPage timer(rig.timer, rig.pull, rig.pomodoroSettings, rig.pomodoro);
    look(timer, "timer");
    ControlsOptionsPage controls(rig.interface);
    look(controls, "controls");
    SoundsOptionsPage sounds(rig.timer, rig.interface, rig.sounds, rig.cats, rig.launcher());
    rig.notifications.onSchedulingError(QStringLiteral("notifications are allowed, but alerts are off."));
    look(sounds, "sounds");
    GeneralOptionsPage general(
        rig.loginItems, rig.interface, &rig.updates, {}, {}, AboutTexts::current(), rig.launcher());
    look(general, "general");

    OpenSourceLicensesView sheet;
    sheet.setPalette(optionsPalette(GetParam().dark));
    sheet.show();
    QCoreApplication::processEvents();
    save(sheet.grab(), "notices");
}

INSTANTIATE_TEST_SUITE_P(Looks, PageGallery,
    ::testing::Values(Look { false, AppLanguage::system }, Look { true, AppLanguage::system },
        Look { false, AppLanguage::japanese }, Look { true, AppLanguage::japanese }),
    [](const ::testing::TestParamInfo<Look>& info) {
        return std::string(info.param.dark ? "Dark" : "Light")
            + (info.param.language == AppLanguage::system ? "English" : "Japanese");
    });

} // namespace
