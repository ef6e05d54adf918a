#pragma once

#include <QByteArray>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringView>
#include <QUrl>
#include <chrono>
#include <optional>

class QNetworkAccessManager;
class QNetworkReply;
class QThread;
class QTimer;

namespace mewt {

// One release listed in the update feed.
struct AppcastItem {
    QString version; // shown to people, e.g. "1.2.0"
    qint64 build = 0; // what decides "newer"
    QUrl link; // an http(s) page to open for it; empty when the feed names none
    friend bool operator==(const AppcastItem&, const AppcastItem&) = default;
};

struct UpdateCheckResult {
    enum class Kind { updateAvailable, upToDate, failed };
    Kind kind = Kind::upToDate;
    std::optional<AppcastItem> update; // set with updateAvailable
    QString errorMessage; // set with failed: short, lower case, translated

    static UpdateCheckResult available(AppcastItem item) { return { Kind::updateAvailable, std::move(item), {} }; }
    static UpdateCheckResult upToDate() { return { Kind::upToDate, std::nullopt, {} }; }
    static UpdateCheckResult failed(QString message) { return { Kind::failed, std::nullopt, std::move(message) }; }
};

struct RunningVersion {
    QString shortVersion;
    QString build;
    static RunningVersion current(); // from AppInfo
};

// The feed is RSS 2.0 in the widely used appcast style:
//
//   <rss version="2.0" xmlns:sparkle="http://www.andymatuschak.org/xml-namespaces/sparkle">
//     <channel><item>
//       <link>https://example.org/mewt/1.2.0</link>
//       <sparkle:version>42</sparkle:version>                      (the build: a whole number)
//       <sparkle:shortVersionString>1.2.0</sparkle:shortVersionString>
//       <enclosure url="https://example.org/mewt-1.2.0.tar.gz" sparkle:version="42"
//                  sparkle:shortVersionString="1.2.0"/>               (attributes are read when
//     </item></channel>                                                the elements are missing)
//   </rss>
//
// An item needs a build; its version text defaults to the build. The link is the item's <link>,
// else the enclosure's url; only http(s) links are kept. Items that name a <sparkle:channel> are
// pre-releases and are skipped. Documents with a DTD are refused, so no entity can expand, and so
// are documents nested deeper or with more attributes on one element than a feed ever has, since
// the XML reader's work grows with the square of the attributes on an element.
// "Newer" compares builds when the running build is a whole number, otherwise the dotted versions.
UpdateCheckResult evaluateAppcast(const QByteArray& feed, const RunningVersion& running);
inline constexpr int appcastMaximumDepth = 32;
inline constexpr int appcastMaximumAttributes = 32;

// Compares the leading dotted numbers of two versions ("1.10" > "1.9", "1.2" == "1.2.0"); nothing
// when either does not start with a number.
std::optional<int> compareDottedVersions(QStringView left, QStringView right);

bool isWebAddress(const QUrl& url);

// Fetches the feed and reports the newest release newer than the running one. One fetch at a time;
// a fetch always ends, within the timeout, in exactly one `finished` unless it is cancelled. The
// feed is read on a thread of its own, so no feed can hold up the interface.
class UpdateChecker final : public QObject {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(UpdateChecker)

public:
    static constexpr std::chrono::milliseconds defaultTimeout { 15'000 };
    static constexpr qint64 defaultMaximumFeedSize = 1024 * 1024;

    explicit UpdateChecker(
        const QUrl& feedUrl, RunningVersion running = RunningVersion::current(), QObject* parent = nullptr);
    ~UpdateChecker() override;

    // The build's feed address when it is an http(s) address; empty otherwise.
    static QUrl configuredFeedUrl();

    QUrl feedUrl() const { return feed; }
    bool isConfigured() const { return isWebAddress(feed); }
    bool isChecking() const { return !reply.isNull() || parsing; }

    void setTimeout(std::chrono::milliseconds timeout) { timeoutLength = timeout; }
    void setMaximumFeedSize(qint64 bytes) { maximumFeedSize = bytes; }

    // Starts a fetch. Returns false, and does nothing, when no feed is configured; while a fetch
    // runs it returns true and the running fetch answers.
    bool check();
    // Ends a running fetch without a `finished`.
    void cancel();

Q_SIGNALS:
    void finished(const mewt::UpdateCheckResult& result);

private:
    void readBody();
    void checkAnnouncedSize();
    void replyFinished();
    void giveUp(const QString& message);
    void dropReply();
    void evaluateAside(QByteArray feed);

    QUrl feed;
    RunningVersion running;
    std::chrono::milliseconds timeoutLength = defaultTimeout;
    qint64 maximumFeedSize = defaultMaximumFeedSize;
    QNetworkAccessManager* network = nullptr;
    QTimer* deadline = nullptr;
    QPointer<QNetworkReply> reply;
    QByteArray body;
    QThread* parser = nullptr;
    bool parsing = false;
    // A cancel moves it on, so that the result of a parse under way is dropped.
    quint64 parseGeneration = 0;
};

} // namespace mewt
