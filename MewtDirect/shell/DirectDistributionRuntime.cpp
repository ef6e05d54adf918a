#include "shell/DirectDistributionRuntime.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QTimer>

namespace mewt {

DirectDistributionRuntime::DirectDistributionRuntime(QObject* parent)
    : DirectDistributionRuntime(UpdateChecker::configuredFeedUrl(), RunningVersion::current(), parent)
{
}

DirectDistributionRuntime::DirectDistributionRuntime(const QUrl& feedUrl, RunningVersion running, QObject* parent)
    : UpdateRuntime(parent)
    , openUrl([](const QUrl& url) { return QDesktopServices::openUrl(url); })
    , checker(new UpdateChecker(feedUrl, std::move(running), this))
    , probeTimer(new QTimer(this))
    , checkCap(new QTimer(this))
{
    probeTimer->setInterval(probeInterval);
    checkCap->setSingleShot(true);
    connect(checker, &UpdateChecker::finished, this, &DirectDistributionRuntime::checkerFinished);
    connect(probeTimer, &QTimer::timeout, this, &DirectDistributionRuntime::probe);
    connect(checkCap, &QTimer::timeout, this, &DirectDistributionRuntime::checkTookTooLong);
}

DirectDistributionRuntime::~DirectDistributionRuntime() = default;

bool DirectDistributionRuntime::isProbing() const
{
    return probeTimer->isActive();
}

void DirectDistributionRuntime::checkForUpdates()
{
    if (!isConfigured()) {
        setStatus(Status::message(QCoreApplication::translate("mewt", "updates aren't configured in this build.")));
        return;
    }
    if (currentStatus.kind == Status::Kind::checking)
        return;
    setStatus(Status::checking());
    userCheckPending = true;
    checkCap->start(checkCapLength);
    // A probe already on its way answers this check too.
    checker->check();
}

void DirectDistributionRuntime::startBackgroundProbe()
{
    if (!isConfigured() || probeTimer->isActive())
        return;
    probeTimer->start();
    probe();
}

void DirectDistributionRuntime::probe()
{
    checker->check();
}

bool DirectDistributionRuntime::canOpenAvailableUpdate() const
{
    return update && isWebAddress(update->link) && openUrl;
}

bool DirectDistributionRuntime::openAvailableUpdate()
{
    if (!canOpenAvailableUpdate())
        return false;
    if (openUrl(update->link))
        return true;
    setStatus(Status::message(QCoreApplication::translate("mewt", "the download page couldn't be opened.")));
    return false;
}

void DirectDistributionRuntime::shutdown()
{
    probeTimer->stop();
    checkCap->stop();
    userCheckPending = false;
    checker->cancel();
}

void DirectDistributionRuntime::checkerFinished(const UpdateCheckResult& result)
{
    switch (result.kind) {
    case UpdateCheckResult::Kind::updateAvailable:
        setAvailableUpdate(DirectAvailableUpdate { result.update->version, result.update->build, result.update->link });
        break;
    case UpdateCheckResult::Kind::upToDate: setAvailableUpdate(std::nullopt); break;
    case UpdateCheckResult::Kind::failed: break; // what was known stays known
    }
    if (!userCheckPending)
        return;
    userCheckPending = false;
    checkCap->stop();
    switch (result.kind) {
    case UpdateCheckResult::Kind::updateAvailable:
        setStatus(
            Status::message(QCoreApplication::translate("mewt", "mewt %1 is available.").arg(result.update->version)));
        break;
    case UpdateCheckResult::Kind::upToDate:
        setStatus(Status::message(QCoreApplication::translate("mewt", "mewt is up to date.")));
        break;
    case UpdateCheckResult::Kind::failed: setStatus(Status::message(result.errorMessage)); break;
    }
}

void DirectDistributionRuntime::checkTookTooLong()
{
    if (!userCheckPending)
        return;
    userCheckPending = false;
    checker->cancel();
    setStatus(Status::message(QCoreApplication::translate("mewt", "the update server didn't answer in time.")));
}

void DirectDistributionRuntime::setStatus(Status status)
{
    if (status == currentStatus)
        return;
    currentStatus = std::move(status);
    Q_EMIT statusChanged();
}

void DirectDistributionRuntime::setAvailableUpdate(std::optional<DirectAvailableUpdate> value)
{
    if (value == update)
        return;
    update = std::move(value);
    Q_EMIT availableUpdateChanged();
}

} // namespace mewt
