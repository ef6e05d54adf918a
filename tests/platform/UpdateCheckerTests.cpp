#include "LoopbackHttpServer.h"
#include "platform/UpdateChecker.h"

#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

using namespace mewt;
using namespace std::chrono_literals;

namespace {

const RunningVersion running { QStringLiteral("1.2.0"), QStringLiteral("40") };

QByteArray feedWith(const QByteArray& items)
{
    return "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n"
           "<rss version=\"2.0\" xmlns:sparkle=\"http://www.andymatuschak.org/xml-namespaces/sparkle\">"
           "<channel><title>mewt</title>"
        + items + "</channel></rss>";
}

QByteArray item(const QByteArray& build, const QByteArray& version, const QByteArray& link = {})
{
    return "<item><title>mewt " + version + "</title>" + (link.isEmpty() ? QByteArray() : "<link>" + link + "</link>")
        + "<sparkle:version>" + build + "</sparkle:version><sparkle:shortVersionString>" + version
        + "</sparkle:shortVersionString></item>";
}

QByteArray attributes(int count, const QByteArray& value = "1")
{
    QByteArray text;
    for (int index = 0; index < count; ++index)
        text += " a" + QByteArray::number(index) + "=\"" + value + "\"";
    return text;
}

QByteArray nested(int depth)
{
    return QByteArray("<x>").repeated(depth) + QByteArray("</x>").repeated(depth);
}

struct FeedCase {
    const char* name;
    QByteArray feed;
    UpdateCheckResult::Kind kind;
    QString version = {};
    qint64 build = 0;
    QString link = {};
    RunningVersion runningVersion = running;
};

void PrintTo(const FeedCase& feedCase, std::ostream* out)
{
    *out << feedCase.name;
}

class AppcastFeeds : public ::testing::TestWithParam<FeedCase> { };

TEST_P(AppcastFeeds, PickTheNewestNewerReleaseOrSayWhy)
{
    const FeedCase& expected = GetParam();
    const UpdateCheckResult result = evaluateAppcast(expected.feed, expected.runningVersion);
    ASSERT_EQ(result.kind, expected.kind) << result.errorMessage.toStdString();
    if (expected.kind == UpdateCheckResult::Kind::updateAvailable) {
        ASSERT_TRUE(result.update.has_value());
        EXPECT_EQ(result.update->version, expected.version);
        EXPECT_EQ(result.update->build, expected.build);
        EXPECT_EQ(result.update->link, QUrl(expected.link));
    } else if (expected.kind == UpdateCheckResult::Kind::failed) {
        EXPECT_EQ(result.errorMessage, QStringLiteral("the update feed couldn't be read."));
    }
}

using Kind = UpdateCheckResult::Kind;

INSTANTIATE_TEST_SUITE_P(Feeds, AppcastFeeds,
    ::testing::Values(FeedCase { "newest of several newer",
                          feedWith(item("41", "1.2.1", "https://example.org/1.2.1")
                              + item("43", "1.4.0", "https://example.org/1.4.0") + item("42", "1.3.0")),
                          Kind::updateAvailable, "1.4.0", 43, "https://example.org/1.4.0" },
        FeedCase { "enclosure attributes only",
            feedWith("<item><enclosure url=\"https://example.org/mewt-2.0.tar.gz\" sparkle:version=\"50\" "
                     "sparkle:shortVersionString=\"2.0\" length=\"1\" type=\"application/gzip\"/></item>"),
            Kind::updateAvailable, "2.0", 50, "https://example.org/mewt-2.0.tar.gz" },
        FeedCase { "version text defaults to the build", feedWith("<item><sparkle:version>44</sparkle:version></item>"),
            Kind::updateAvailable, "44", 44, "" },
        FeedCase { "only unsafe links are dropped",
            feedWith("<item><link>javascript:alert(1)</link><enclosure url=\"ftp://example.org/x\"/>"
                     "<sparkle:version>45</sparkle:version></item>"),
            Kind::updateAvailable, "45", 45, "" },
        FeedCase { "older and same builds", feedWith(item("39", "1.1.0") + item("40", "1.2.0")), Kind::upToDate },
        FeedCase { "empty channel", feedWith(""), Kind::upToDate },
        FeedCase { "pre-release channel is skipped",
            feedWith("<item><sparkle:channel>beta</sparkle:channel><sparkle:version>99</sparkle:version></item>"),
            Kind::upToDate },
        FeedCase {
            "garbage beside an older release", feedWith(item("banana", "9.9") + item("39", "1.1.0")), Kind::upToDate },
        FeedCase { "only garbage builds", feedWith(item("banana", "9.9") + item("-5", "9.9") + item("4e5", "9.9")),
            Kind::failed },
        FeedCase { "build too large to trust", feedWith(item("1234567890123456", "9.9")), Kind::failed },
        FeedCase { "version text with markup", feedWith(item("41", "1.3&lt;b&gt;")), Kind::failed },
        FeedCase { "dotted fallback when the running build is not a number",
            feedWith(item("7", "1.10.0") + item("9", "1.1.0")), Kind::updateAvailable, "1.10.0", 7, "",
            RunningVersion { QStringLiteral("1.9.3"), QStringLiteral("dev") } },
        FeedCase { "dotted fallback finds nothing newer", feedWith(item("7", "1.9.3")), Kind::upToDate, {}, 0, {},
            RunningVersion { QStringLiteral("1.9.3"), QStringLiteral("dev") } },
        FeedCase { "not xml", "this is not a feed", Kind::failed }, FeedCase { "empty body", "", Kind::failed },
        FeedCase { "cut short", feedWith(item("41", "1.3.0")).left(150), Kind::failed },
        FeedCase { "wrong root", "<feed><entry/></feed>", Kind::failed },
        FeedCase { "no channel", "<rss version=\"2.0\"></rss>", Kind::failed },
        FeedCase { "trailing garbage", feedWith(item("41", "1.3.0")) + "<more/>", Kind::failed },
        FeedCase { "undeclared prefix",
            "<rss><channel><item><sparkle:version>41</sparkle:version></item></channel></rss>", Kind::failed },
        FeedCase { "attributes a feed may have",
            feedWith("<item" + attributes(appcastMaximumAttributes) + ">" + item("41", "1.3.0").mid(6)),
            Kind::updateAvailable, "1.3.0", 41, "" },
        FeedCase { "one attribute too many", feedWith("<item" + attributes(appcastMaximumAttributes + 1) + "/>"),
            Kind::failed },
        FeedCase { "a hundred thousand attributes", feedWith("<title" + attributes(100'000) + "/>"), Kind::failed },
        FeedCase { "equals signs and brackets inside values are no attributes",
            feedWith("<item" + attributes(appcastMaximumAttributes, "x=y&gt;z>w") + "/>" + item("41", "1.3.0")),
            Kind::updateAvailable, "1.3.0", 41, "" },
        FeedCase { "a comment full of equals signs", feedWith("<!--" + attributes(200) + "-->" + item("41", "1.3.0")),
            Kind::updateAvailable, "1.3.0", 41, "" },
        FeedCase { "nesting a feed may have", feedWith(nested(appcastMaximumDepth - 3)), Kind::upToDate },
        FeedCase { "nested too deep", feedWith(nested(appcastMaximumDepth)), Kind::failed },
        FeedCase { "entity expansion refused",
            "<?xml version=\"1.0\"?><!DOCTYPE rss [<!ENTITY a \"aaaaaaaaaa\"><!ENTITY b \"&a;&a;&a;&a;\">]>"
            "<rss><channel><title>&b;</title></channel></rss>",
            Kind::failed }));

struct VersionOrder {
    const char* left;
    const char* right;
    std::optional<int> order;
};

class DottedVersions : public ::testing::TestWithParam<VersionOrder> { };

TEST_P(DottedVersions, CompareNumberByNumber)
{
    const VersionOrder& c = GetParam();
    EXPECT_EQ(compareDottedVersions(QString::fromLatin1(c.left), QString::fromLatin1(c.right)), c.order)
        << c.left << " vs " << c.right;
}

INSTANTIATE_TEST_SUITE_P(Table, DottedVersions,
    ::testing::Values(VersionOrder { "1.10", "1.9", 1 }, VersionOrder { "1.2", "1.2.0", 0 },
        VersionOrder { "2", "10", -1 }, VersionOrder { "1.2.0-beta", "1.2.0", 0 },
        VersionOrder { "v1.2", "1.2", std::nullopt }, VersionOrder { "", "1", std::nullopt }));

class UpdateFetch : public ::testing::Test {
protected:
    UpdateCheckResult fetch(UpdateChecker& checker)
    {
        QSignalSpy finished(&checker, &UpdateChecker::finished);
        EXPECT_TRUE(checker.check());
        EXPECT_TRUE(finished.wait(10'000));
        EXPECT_EQ(finished.size(), 1);
        EXPECT_FALSE(checker.isChecking());
        return finished.isEmpty() ? UpdateCheckResult {} : finished.first().first().value<UpdateCheckResult>();
    }

    UpdateCheckResult fetch(const QByteArray& path, LoopbackHttpServer::Response response)
    {
        server.route(path, std::move(response));
        UpdateChecker checker(server.url(path), running);
        checker.setTimeout(3s);
        return fetch(checker);
    }

    LoopbackHttpServer server;
};

TEST_F(UpdateFetch, GoodFeedGivesTheNewerRelease)
{
    const UpdateCheckResult result = fetch(
        "/appcast.xml", LoopbackHttpServer::Response(200, feedWith(item("41", "1.3.0", "https://example.org/n"))));
    ASSERT_EQ(result.kind, Kind::updateAvailable);
    EXPECT_EQ(result.update->version, QStringLiteral("1.3.0"));
    EXPECT_EQ(result.update->link, QUrl(QStringLiteral("https://example.org/n")));
}

TEST_F(UpdateFetch, NeverSendsOrKeepsCookies)
{
    server.route(
        "/appcast.xml", LoopbackHttpServer::Response(200, feedWith("")).withHeader("Set-Cookie: session=abc; Path=/"));
    UpdateChecker checker(server.url("/appcast.xml"), running);
    fetch(checker);
    fetch(checker);
    ASSERT_EQ(server.requests().size(), 2);
    EXPECT_FALSE(server.requests()[1].toLower().contains("cookie"));
}

struct BadAnswer {
    const char* name;
    LoopbackHttpServer::Response response;
    const char* message;
};

void PrintTo(const BadAnswer& answer, std::ostream* out)
{
    *out << answer.name;
}

class BadServers : public UpdateFetch, public ::testing::WithParamInterface<BadAnswer> { };

TEST_P(BadServers, EndWithAShortMessage)
{
    const UpdateCheckResult result = fetch("/appcast.xml", GetParam().response);
    EXPECT_EQ(result.kind, Kind::failed);
    EXPECT_EQ(result.errorMessage, QString::fromUtf8(GetParam().message));
}

INSTANTIATE_TEST_SUITE_P(Answers, BadServers,
    ::testing::Values(BadAnswer { "not found", LoopbackHttpServer::Response(404, "gone"),
                          "the update server answered with an error (404)." },
        BadAnswer {
            "server error", LoopbackHttpServer::Response(503, ""), "the update server answered with an error (503)." },
        BadAnswer { "html page", LoopbackHttpServer::Response(200, "<html><body>hello</body></html>"),
            "the update feed couldn't be read." },
        BadAnswer { "plain text", LoopbackHttpServer::Response(200, "hello"), "the update feed couldn't be read." },
        BadAnswer { "announced too large", LoopbackHttpServer::Response(200, QByteArray(1024 * 1024 + 1, 'x')),
            "the update feed is too large." },
        BadAnswer { "streamed too large", LoopbackHttpServer::Response::streamed(QByteArray(3 * 1024 * 1024, 'x')),
            "the update feed is too large." }));

TEST_F(UpdateFetch, SlowServerTimesOut)
{
    server.route("/slow", LoopbackHttpServer::Response::stalled(feedWith(item("41", "1.3.0"))));
    UpdateChecker checker(server.url("/slow"), running);
    checker.setTimeout(200ms);
    const UpdateCheckResult result = fetch(checker);
    EXPECT_EQ(result.kind, Kind::failed);
    EXPECT_EQ(result.errorMessage, QStringLiteral("the update server didn't answer in time."));
}

TEST_F(UpdateFetch, UnreachableServer)
{
    UpdateChecker checker(QUrl(QStringLiteral("http://127.0.0.1:%1/a").arg(LoopbackHttpServer::closedPort())), running);
    const UpdateCheckResult result = fetch(checker);
    EXPECT_EQ(result.kind, Kind::failed);
    EXPECT_EQ(result.errorMessage, QStringLiteral("couldn't reach the update server."));
}

TEST_F(UpdateFetch, SecondCheckJoinsTheRunningOne)
{
    server.route("/appcast.xml", LoopbackHttpServer::Response(200, feedWith(item("41", "1.3.0"))));
    UpdateChecker checker(server.url("/appcast.xml"), running);
    QSignalSpy finished(&checker, &UpdateChecker::finished);
    EXPECT_TRUE(checker.check());
    EXPECT_TRUE(checker.check());
    ASSERT_TRUE(finished.wait(10'000));
    EXPECT_EQ(finished.size(), 1);
    EXPECT_EQ(server.requests().size(), 1);
}

TEST_F(UpdateFetch, CancelledCheckNeverAnswers)
{
    server.route("/slow", LoopbackHttpServer::Response::stalled(feedWith(item("41", "1.3.0"))));
    UpdateChecker checker(server.url("/slow"), running);
    QSignalSpy finished(&checker, &UpdateChecker::finished);
    checker.setTimeout(50ms);
    checker.check();
    checker.cancel();
    EXPECT_FALSE(checker.isChecking());
    EXPECT_EQ(finished.size(), 0);
    // Had the cancel left its deadline running, the stalled fetch would report a timeout here.
    EXPECT_FALSE(finished.wait(250));
}

TEST(UpdateFeedAddress, OnlyWebAddressesCount)
{
    for (const char* address : { "", "ftp://example.org/feed.xml", "file:///etc/passwd", "https://", "not a url" })
        EXPECT_FALSE(UpdateChecker(QUrl(QString::fromLatin1(address)), running).check()) << address;
    EXPECT_TRUE(isWebAddress(QUrl(QStringLiteral("https://example.org/appcast.xml"))));
}

} // namespace
