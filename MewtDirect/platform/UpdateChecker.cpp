#include "platform/UpdateChecker.h"

#include "platform/AppInfo.h"

#include <QCoreApplication>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QRegularExpression>
#include <QThread>
#include <QTimer>
#include <QXmlStreamReader>
#include <memory>
#include <vector>

namespace mewt {

namespace {

const QString appcastNamespace = QStringLiteral("http://www.andymatuschak.org/xml-namespaces/sparkle");

QString unreadableFeed()
{
    return QCoreApplication::translate("mewt", "the update feed couldn't be read.");
}

std::optional<qint64> wholeNumber(QStringView text)
{
    // Fifteen digits keep every accepted build far from overflow.
    static const QRegularExpression digits(QStringLiteral("^[0-9]{1,15}$"));
    if (!digits.match(text).hasMatch())
        return std::nullopt;
    return text.toLongLong();
}

bool isPresentableVersion(const QString& version)
{
    // The version lands in user-visible text, so only short, plain version strings pass.
    static const QRegularExpression plain(QStringLiteral("^[0-9A-Za-z][0-9A-Za-z.+_-]{0,31}$"));
    return plain.match(version).hasMatch();
}

std::optional<std::vector<qint64>> dottedNumbers(QStringView version)
{
    static const QRegularExpression leading(QStringLiteral("^[0-9]{1,9}(\\.[0-9]{1,9})*"));
    const QRegularExpressionMatch match = leading.match(version);
    if (!match.hasMatch())
        return std::nullopt;
    std::vector<qint64> numbers;
    for (const QStringView part : match.capturedView(0).split(u'.'))
        numbers.push_back(part.toLongLong());
    return numbers;
}

// One linear pass over the bytes before any XML reading: the deepest nesting and the most
// attributes on one start tag. Markup inside comments or CDATA may count too, which only errs on
// the side of refusing a strange feed.
bool withinShapeLimits(const QByteArray& feed)
{
    int depth = 0;
    int attributes = 0;
    bool inStartTag = false;
    bool inOtherMarkup = false;
    char quote = 0;
    char previous = 0;
    for (qsizetype index = 0; index < feed.size(); ++index) {
        const char c = feed[index];
        if (inOtherMarkup) {
            inOtherMarkup = c != '>';
        } else if (inStartTag) {
            if (quote != 0) {
                if (c == quote)
                    quote = 0;
            } else if (c == '"' || c == '\'') {
                quote = c;
            } else if (c == '=') {
                if (++attributes > appcastMaximumAttributes)
                    return false;
            } else if (c == '>') {
                inStartTag = false;
                if (previous != '/' && ++depth > appcastMaximumDepth)
                    return false;
            }
        } else if (c == '<') {
            const char next = index + 1 < feed.size() ? feed[index + 1] : 0;
            if (next == '/') {
                depth = std::max(depth - 1, 0);
                inOtherMarkup = true;
            } else if (next == '!' || next == '?') {
                inOtherMarkup = true;
            } else {
                inStartTag = true;
                attributes = 0;
            }
        }
        previous = c;
    }
    return true;
}

struct FeedItem {
    QString buildText;
    QString version;
    QString link;
    QString enclosureUrl;
    bool namesChannel = false;
};

// Reads one <item>; the reader stands on its start element and ends on its end element.
FeedItem readItem(QXmlStreamReader& xml)
{
    FeedItem item;
    QString enclosureBuild;
    QString enclosureVersion;
    while (xml.readNextStartElement()) {
        const bool appcastElement = xml.namespaceUri() == appcastNamespace;
        const QStringView name = xml.name();
        if (appcastElement && name == u"version") {
            item.buildText = xml.readElementText(QXmlStreamReader::SkipChildElements).trimmed();
        } else if (appcastElement && name == u"shortVersionString") {
            item.version = xml.readElementText(QXmlStreamReader::SkipChildElements).trimmed();
        } else if (appcastElement && name == u"channel") {
            item.namesChannel = true;
            xml.skipCurrentElement();
        } else if (xml.namespaceUri().isEmpty() && name == u"link") {
            item.link = xml.readElementText(QXmlStreamReader::SkipChildElements).trimmed();
        } else if (xml.namespaceUri().isEmpty() && name == u"enclosure") {
            const QXmlStreamAttributes attributes = xml.attributes();
            enclosureBuild = attributes.value(appcastNamespace, QStringLiteral("version")).toString().trimmed();
            enclosureVersion
                = attributes.value(appcastNamespace, QStringLiteral("shortVersionString")).toString().trimmed();
            item.enclosureUrl = attributes.value(QStringLiteral("url")).toString().trimmed();
            xml.skipCurrentElement();
        } else {
            xml.skipCurrentElement();
        }
    }
    if (item.buildText.isEmpty())
        item.buildText = enclosureBuild;
    if (item.version.isEmpty())
        item.version = enclosureVersion;
    return item;
}

std::optional<AppcastItem> usableItem(const FeedItem& item)
{
    const std::optional<qint64> build = wholeNumber(item.buildText);
    if (!build)
        return std::nullopt;
    AppcastItem usable;
    usable.build = *build;
    usable.version = item.version.isEmpty() ? item.buildText : item.version;
    if (!isPresentableVersion(usable.version))
        return std::nullopt;
    for (const QString& candidate : { item.link, item.enclosureUrl }) {
        const QUrl url(candidate, QUrl::StrictMode);
        if (isWebAddress(url)) {
            usable.link = url;
            break;
        }
    }
    return usable;
}

bool isNewer(const AppcastItem& item, const RunningVersion& running)
{
    if (const std::optional<qint64> runningBuild = wholeNumber(running.build))
        return item.build > *runningBuild;
    const std::optional<int> order = compareDottedVersions(item.version, running.shortVersion);
    return order && *order > 0;
}

} // namespace

std::optional<int> compareDottedVersions(QStringView left, QStringView right)
{
    const auto a = dottedNumbers(left);
    const auto b = dottedNumbers(right);
    if (!a || !b)
        return std::nullopt;
    for (size_t index = 0; index < std::max(a->size(), b->size()); ++index) {
        const qint64 x = index < a->size() ? (*a)[index] : 0;
        const qint64 y = index < b->size() ? (*b)[index] : 0;
        if (x != y)
            return x < y ? -1 : 1;
    }
    return 0;
}

bool isWebAddress(const QUrl& url)
{
    return url.isValid() && !url.host().isEmpty()
        && (url.scheme() == QLatin1String("https") || url.scheme() == QLatin1String("http"));
}

UpdateCheckResult evaluateAppcast(const QByteArray& feed, const RunningVersion& running)
{
    if (!withinShapeLimits(feed))
        return UpdateCheckResult::failed(unreadableFeed());
    QXmlStreamReader xml(feed);
    while (!xml.atEnd() && xml.readNext() != QXmlStreamReader::StartElement) {
        // A DTD could declare entities that expand without bound; a feed never needs one.
        if (xml.tokenType() == QXmlStreamReader::DTD)
            return UpdateCheckResult::failed(unreadableFeed());
    }
    if (xml.tokenType() != QXmlStreamReader::StartElement || xml.name() != u"rss" || !xml.namespaceUri().isEmpty())
        return UpdateCheckResult::failed(unreadableFeed());

    bool sawChannel = false;
    int unusableItems = 0;
    std::vector<AppcastItem> items;
    while (xml.readNextStartElement()) {
        if (xml.name() != u"channel" || !xml.namespaceUri().isEmpty()) {
            xml.skipCurrentElement();
            continue;
        }
        sawChannel = true;
        while (xml.readNextStartElement()) {
            if (xml.name() != u"item" || !xml.namespaceUri().isEmpty()) {
                xml.skipCurrentElement();
                continue;
            }
            const FeedItem item = readItem(xml);
            if (item.namesChannel)
                continue;
            if (const std::optional<AppcastItem> usable = usableItem(item))
                items.push_back(*usable);
            else
                ++unusableItems;
        }
    }
    // Read to the end so that trailing garbage counts as an error too.
    while (!xml.atEnd())
        xml.readNext();
    if (xml.hasError() || !sawChannel)
        return UpdateCheckResult::failed(unreadableFeed());
    if (items.empty() && unusableItems > 0)
        return UpdateCheckResult::failed(unreadableFeed());

    const AppcastItem* newest = nullptr;
    for (const AppcastItem& item : items) {
        if (isNewer(item, running) && (!newest || item.build > newest->build))
            newest = &item;
    }
    return newest ? UpdateCheckResult::available(*newest) : UpdateCheckResult::upToDate();
}

RunningVersion RunningVersion::current()
{
    return { QString::fromUtf8(AppInfo::shortVersion), QString::fromUtf8(AppInfo::build) };
}

UpdateChecker::UpdateChecker(const QUrl& feedUrl, RunningVersion running, QObject* parent)
    : QObject(parent)
    , feed(feedUrl)
    , running(std::move(running))
    , deadline(new QTimer(this))
{
    deadline->setSingleShot(true);
    connect(deadline, &QTimer::timeout, this,
        [this] { giveUp(QCoreApplication::translate("mewt", "the update server didn't answer in time.")); });
}

UpdateChecker::~UpdateChecker()
{
    dropReply();
    if (parser) {
        // Bounded by the feed's size and shape limits: milliseconds at most.
        parser->wait();
        delete parser;
    }
}

QUrl UpdateChecker::configuredFeedUrl()
{
    const QUrl url(QString::fromUtf8(AppInfo::appcastUrl).trimmed(), QUrl::StrictMode);
    return isWebAddress(url) ? url : QUrl();
}

bool UpdateChecker::check()
{
    if (!isConfigured())
        return false;
    if (isChecking())
        return true;

    QNetworkRequest request(feed);
    request.setMaximumRedirectsAllowed(5);
    request.setAttribute(QNetworkRequest::CacheLoadControlAttribute, QNetworkRequest::AlwaysNetwork);
    request.setAttribute(QNetworkRequest::CacheSaveControlAttribute, false);
    request.setAttribute(QNetworkRequest::CookieLoadControlAttribute, QNetworkRequest::Manual);
    request.setAttribute(QNetworkRequest::CookieSaveControlAttribute, QNetworkRequest::Manual);
    request.setHeader(QNetworkRequest::UserAgentHeader,
        QStringLiteral("%1/%2 (build %3)").arg(QString::fromUtf8(AppInfo::name), running.shortVersion, running.build));
    request.setRawHeader("Accept", "application/rss+xml, application/xml;q=0.9, text/xml;q=0.8");

    body.clear();
    // Made at the first check: it loads the network plugins, which launching has no use for.
    if (!network) {
        network = new QNetworkAccessManager(this);
        network->setRedirectPolicy(QNetworkRequest::NoLessSafeRedirectPolicy);
    }
    reply = network->get(request);
    connect(reply, &QNetworkReply::metaDataChanged, this, &UpdateChecker::checkAnnouncedSize);
    connect(reply, &QNetworkReply::readyRead, this, &UpdateChecker::readBody);
    connect(reply, &QNetworkReply::finished, this, &UpdateChecker::replyFinished);
    deadline->start(timeoutLength);
    return true;
}

void UpdateChecker::cancel()
{
    dropReply();
    ++parseGeneration;
    parsing = false;
}

void UpdateChecker::checkAnnouncedSize()
{
    bool known = false;
    const qint64 announced = reply->header(QNetworkRequest::ContentLengthHeader).toLongLong(&known);
    if (known && announced > maximumFeedSize)
        giveUp(QCoreApplication::translate("mewt", "the update feed is too large."));
}

void UpdateChecker::readBody()
{
    body += reply->read(maximumFeedSize - body.size() + 1);
    if (body.size() > maximumFeedSize)
        giveUp(QCoreApplication::translate("mewt", "the update feed is too large."));
}

void UpdateChecker::replyFinished()
{
    QNetworkReply* ended = reply;
    const int status = ended->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    const QNetworkReply::NetworkError error = ended->error();
    if (error == QNetworkReply::NoError)
        body += ended->read(maximumFeedSize - body.size() + 1);
    dropReply();

    UpdateCheckResult result;
    if (status >= 400)
        result = UpdateCheckResult::failed(
            QCoreApplication::translate("mewt", "the update server answered with an error (%1).").arg(status));
    else if (error != QNetworkReply::NoError || status < 200 || status >= 300)
        result = UpdateCheckResult::failed(QCoreApplication::translate("mewt", "couldn't reach the update server."));
    else if (body.size() > maximumFeedSize)
        result = UpdateCheckResult::failed(QCoreApplication::translate("mewt", "the update feed is too large."));
    else {
        evaluateAside(std::exchange(body, {}));
        return;
    }
    body.clear();
    Q_EMIT finished(result);
}

void UpdateChecker::evaluateAside(QByteArray feedBytes)
{
    auto result = std::make_shared<UpdateCheckResult>();
    QThread* thread = QThread::create([result, feedBytes = std::move(feedBytes), version = running] {
        *result = evaluateAppcast(feedBytes, version);
    });
    parser = thread;
    parsing = true;
    connect(thread, &QThread::finished, this, [this, thread, result, generation = ++parseGeneration] {
        thread->deleteLater();
        if (parser == thread)
            parser = nullptr;
        if (generation != parseGeneration)
            return;
        parsing = false;
        Q_EMIT finished(*result);
    });
    thread->start(QThread::LowPriority);
}

void UpdateChecker::giveUp(const QString& message)
{
    if (!isChecking())
        return;
    dropReply();
    body.clear();
    Q_EMIT finished(UpdateCheckResult::failed(message));
}

void UpdateChecker::dropReply()
{
    deadline->stop();
    if (!reply)
        return;
    QNetworkReply* old = reply;
    reply = nullptr;
    old->disconnect(this);
    old->abort();
    old->deleteLater();
}

} // namespace mewt
