#include "platform/AppearanceMonitor.h"

#include "platform/PortalSettings.h"
#include "platform/XSettingsWatcher.h"

#include <QColor>
#include <QEvent>
#include <QGuiApplication>

namespace mewt {

namespace {

const QString appearanceGroup = QStringLiteral("org.freedesktop.appearance");
const QString colorSchemeKey = QStringLiteral("color-scheme");

} // namespace

AppearanceMonitor::AppearanceMonitor(QObject* parent)
    : AppearanceMonitor(
        nullptr, [] { return QGuiApplication::palette(); }, parent)
{
}

AppearanceMonitor::AppearanceMonitor(PortalSettings* portal, PaletteSource palette, QObject* parent)
    : QObject(parent)
    , portal(portal ? portal : new PortalSettings(this))
    , palette(std::move(palette))
    , xsettings(new XSettingsWatcher(this))
{
    dark = xsettings->settings().themeIsDark() || paletteLooksDark(this->palette());
    if (qGuiApp)
        qGuiApp->installEventFilter(this);
    connect(xsettings, &XSettingsWatcher::changed, this, &AppearanceMonitor::update);
    if (!this->portal->isAvailable())
        return;
    connect(this->portal, &PortalSettings::settingChanged, this,
        [this](const QString& group, const QString& key, const QVariant& value) {
            if (group == appearanceGroup && key == colorSchemeKey) {
                heardChange = true;
                takeColorScheme(value);
            }
        });
    this->portal->read(appearanceGroup, colorSchemeKey, this, [this](const std::optional<QVariant>& value) {
        // A change notice may have come first; it is newer than this answer.
        if (value && !heardChange)
            takeColorScheme(*value);
    });
}

bool AppearanceMonitor::paletteLooksDark(const QPalette& palette)
{
    return palette.color(QPalette::Active, QPalette::Window).lightness() < 128;
}

bool AppearanceMonitor::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == qGuiApp && event->type() == QEvent::ApplicationPaletteChange)
        update();
    return false;
}

void AppearanceMonitor::takeColorScheme(const QVariant& value)
{
    // 1 prefers dark, 2 prefers light; 0 ("no preference") is what GNOME reports for its light
    // setting, so it defers to the desktop's theme and then the palette, as anything unexpected does.
    const uint scheme = value.userType() == QMetaType::UInt ? value.toUInt() : 0;
    if (scheme == 1 || scheme == 2)
        portalSaysDark = scheme == 1;
    else
        portalSaysDark.reset();
    update();
}

void AppearanceMonitor::update()
{
    const bool now = portalSaysDark.value_or(xsettings->settings().themeIsDark() || paletteLooksDark(palette()));
    if (now == dark)
        return;
    dark = now;
    Q_EMIT darkChanged(dark);
}

} // namespace mewt
