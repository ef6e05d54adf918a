#pragma once

#include "options/UpdateRuntime.h"
#include "platform/UpdateChecker.h"

#include <QObject>
#include <QString>
#include <QUrl>
#include <chrono>
#include <functional>
#include <optional>

class QTimer;

namespace mewt {

struct DirectAvailableUpdate {
    QString version;
    qint64 build = 0;
    QUrl link; // http(s) page for the release; may be empty
    friend bool operator==(const DirectAvailableUpdate&, const DirectAvailableUpdate&) = default;
};

// The update runtime: a silent probe every six hours that keeps `availableUpdate` current, and
// the check a person starts, whose outcome is a short message in `status`.
class DirectDistributionRuntime final : public UpdateRuntime {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(DirectDistributionRuntime)

public:
    static constexpr std::chrono::seconds probeInterval { 21'600 };
    // Longer than the checker's own timeout, so it only matters if that ever fails to end a check.
    static constexpr std::chrono::seconds defaultCheckCap { 30 };

    explicit DirectDistributionRuntime(QObject* parent = nullptr);
    // Tests point it at a loopback feed and a made-up running version.
    DirectDistributionRuntime(const QUrl& feedUrl, RunningVersion running, QObject* parent = nullptr);
    ~DirectDistributionRuntime() override;

    const std::optional<DirectAvailableUpdate>& availableUpdate() const { return update; }
    const Status& status() const override { return currentStatus; }
    bool isConfigured() const { return checker->isConfigured(); }
    bool isProbing() const;

    // The check a person starts. Without a feed it says so; while one runs it does nothing.
    void checkForUpdates() override;
    // Arms the six-hourly probe and probes once now. Does nothing without a feed.
    void startBackgroundProbe();
    // One silent probe: it changes `availableUpdate` and never `status`.
    void probe();
    bool canOpenAvailableUpdate() const override;
    // Only an http(s) page from the feed is opened; when the browser cannot take it, `status`
    // says so.
    bool openAvailableUpdate() override;
    // Stops the probe and any check; `status` stays as it is.
    void shutdown();

    UpdateChecker& updateChecker() { return *checker; }
    void setCheckCap(std::chrono::milliseconds cap) { checkCapLength = cap; }
    // How a link is opened; the browser by default.
    std::function<bool(const QUrl&)> openUrl;

private:
    void checkerFinished(const UpdateCheckResult& result);
    void checkTookTooLong();
    void setStatus(Status status);
    void setAvailableUpdate(std::optional<DirectAvailableUpdate> value);

    UpdateChecker* checker = nullptr;
    QTimer* probeTimer = nullptr;
    QTimer* checkCap = nullptr;
    std::chrono::milliseconds checkCapLength = defaultCheckCap;
    bool userCheckPending = false;
    std::optional<DirectAvailableUpdate> update;
    Status currentStatus;
};

} // namespace mewt
