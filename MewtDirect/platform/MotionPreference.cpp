#include "platform/MotionPreference.h"

#include "platform/PortalSettings.h"

#include <QVariant>
#include <QtGlobal>

namespace mewt {

namespace {

const QString appearanceGroup = QStringLiteral("org.freedesktop.appearance");
const QString reducedMotionKey = QStringLiteral("reduced-motion");
const QString gnomeInterfaceGroup = QStringLiteral("org.gnome.desktop.interface");
const QString enableAnimationsKey = QStringLiteral("enable-animations");

std::optional<bool> environmentOverride()
{
    const QByteArray value = qgetenv("MEWT_REDUCED_MOTION").trimmed();
    if (value == "1")
        return true;
    if (value == "0")
        return false;
    return std::nullopt;
}

} // namespace

MotionPreference::MotionPreference(QObject* parent)
    : MotionPreference(nullptr, parent)
{
}

MotionPreference::MotionPreference(PortalSettings* portal, QObject* parent)
    : QObject(parent)
{
    if (const std::optional<bool> overridden = environmentOverride()) {
        reduces = *overridden;
        return;
    }
    this->portal = portal ? portal : new PortalSettings(this);
    if (!this->portal->isAvailable())
        return;
    connect(this->portal, &PortalSettings::settingChanged, this, &MotionPreference::take);
    this->portal->read(appearanceGroup, reducedMotionKey, this, [this](const std::optional<QVariant>& value) {
        // A change notice that came first is newer than this answer.
        if (value && !heardPortal)
            take(appearanceGroup, reducedMotionKey, *value);
    });
    this->portal->read(gnomeInterfaceGroup, enableAnimationsKey, this, [this](const std::optional<QVariant>& value) {
        if (value && !heardGnome)
            take(gnomeInterfaceGroup, enableAnimationsKey, *value);
    });
}

void MotionPreference::take(const QString& group, const QString& key, const QVariant& value)
{
    if (group == appearanceGroup && key == reducedMotionKey) {
        heardPortal = true;
        // 0 is "no preference", which leaves the decision to the desktop's animation switch.
        if (value.userType() == QMetaType::UInt && value.toUInt() == 1)
            portalReduces = true;
        else
            portalReduces.reset();
    } else if (group == gnomeInterfaceGroup && key == enableAnimationsKey) {
        heardGnome = true;
        if (value.userType() == QMetaType::Bool)
            gnomeReduces = !value.toBool();
        else
            gnomeReduces.reset();
    } else {
        return;
    }
    update();
}

void MotionPreference::update()
{
    const bool now = portalReduces.value_or(gnomeReduces.value_or(false));
    if (now == reduces)
        return;
    reduces = now;
    Q_EMIT reducesMotionChanged(reduces);
}

} // namespace mewt
