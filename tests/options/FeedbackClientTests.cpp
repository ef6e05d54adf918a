#include "LoopbackHttpsServer.h"
#include "options/FeedbackClient.h"

#include <QTest>
#include <gtest/gtest.h>

using namespace mewt;
using namespace std::chrono_literals;

namespace {

using Error = FeedbackClientError;

struct AnswerCase {
    const char* name;
    std::optional<int> status;
    QByteArray contentType;
    QByteArray body;
    FeedbackOutcome expected;
};

FeedbackOutcome sentAs(const char* id)
{
    return { QString::fromUtf8(id), std::nullopt };
}

FeedbackOutcome failedWith(Error error)
{
    return { {}, std::move(error) };
}

class AnswerRules : public ::testing::TestWithParam<AnswerCase> {
protected:
    // Each answer is logged whole; a mebibyte of it helps nobody reading the test output.
    static void SetUpTestSuite()
    {
        QLoggingCategory::setFilterRules(QStringLiteral("com.dovrant.mewt.direct.feedback.info=false"));
    }
    static void TearDownTestSuite() { QLoggingCategory::setFilterRules({}); }
};

TEST_P(AnswerRules, FirstMatchingRuleDecides)
{
    const AnswerCase& answer = GetParam();
    const FeedbackOutcome outcome = interpretFeedbackAnswer(answer.status, answer.contentType, answer.body);
    EXPECT_EQ(outcome.id, answer.expected.id);
    ASSERT_EQ(outcome.error.has_value(), answer.expected.error.has_value());
    if (outcome.error) {
        EXPECT_EQ(outcome.error->description(), answer.expected.error->description());
    }
}

const QByteArray json = "application/json";
const QByteArray stored = R"({"ok":true,"data":{"id":"abc"}})";

INSTANTIATE_TEST_SUITE_P(Answers, AnswerRules,
    ::testing::Values(AnswerCase { "ok200", 200, "application/json; charset=utf-8", stored, sentAs("abc") },
        AnswerCase { "accepted202", 202, json, stored, failedWith(Error::unexpected("status 202")) },
        AnswerCase {
            "emptyId", 200, json, R"({"ok":true,"data":{"id":""}})", failedWith(Error::unexpected("status 200")) },
        AnswerCase { "rateLimited", 429, json, R"({"ok":false,"error":{"code":"rate_limited","retryable":true}})",
            failedWith(Error::rateLimited()) },
        AnswerCase { "rateLimitedUpperCase", 429, json, R"({"ok":false,"error":{"code":"RATE_LIMITED"}})",
            failedWith(Error::server("RATE_LIMITED", std::nullopt)) },
        AnswerCase { "invalidRequest", 400, json, R"({"ok":false,"error":{"code":"invalid_request"}})",
            failedWith(Error::invalidRequest()) },
        AnswerCase { "serverWithDetail", 500, json, R"({"ok":false,"error":{"code":"db_down","message":"later"}})",
            failedWith(Error::server("db_down", "later")) },
        AnswerCase { "html502", 502, "text/html", "<h1>bad gateway</h1>",
            failedWith(Error::unexpected("status 502, non-json")) },
        AnswerCase { "capitalContentType", 200, "APPLICATION/JSON", stored, sentAs("abc") },
        AnswerCase { "missingOk", 200, json, R"({"data":{"id":"abc"}})",
            failedWith(Error::unexpected("status 200, decode failed")) },
        AnswerCase { "retryableNotBoolean", 500, json, R"({"ok":false,"error":{"code":"x","retryable":"yes"}})",
            failedWith(Error::unexpected("status 500, decode failed")) },
        AnswerCase { "exactlyOneMebibyte", 200, "text/plain", QByteArray(maximumFeedbackAnswerSize, 'x'),
            failedWith(Error::unexpected("status 200, non-json")) },
        AnswerCase { "oneByteOver", 200, json, QByteArray(maximumFeedbackAnswerSize + 1, 'x'),
            failedWith(Error::unexpected("response too large")) },
        AnswerCase {
            "noHttpAnswer", std::nullopt, json, stored, failedWith(Error::unexpected("missing http response")) }),
    [](const auto& info) { return std::string(info.param.name); });

TEST(AnswerLog, ServerTextIsShortEscapedAndNonUtf8IsShownByItsLength)
{
    EXPECT_EQ(feedbackLogText("caf\xc3\xa9"), QStringLiteral("café"));
    EXPECT_EQ(feedbackLogText(QByteArray("\xff\xfe\x00z", 4)), QStringLiteral("<non-utf8 4b>"));
    EXPECT_EQ(feedbackLogText("a\x1b[2J\x07\nmewt: forged\xe2\x80\xae"),
        QStringLiteral("a\\x1b[2J\\x07\\x0amewt: forged\\u202e"));
    EXPECT_EQ(feedbackLogText(QByteArray(400'000, 'x')), QString(299, u'x') + QStringLiteral("…"));
    const Error hostile
        = Error::server(QStringLiteral("e\r\n") + QString(500, u'c'), QStringLiteral("\x1b]0;title\x07"));
    EXPECT_EQ(hostile.description(),
        QStringLiteral("server(code: e\\x0d\\x0a%1…, detail: \\x1b]0;title\\x07)").arg(QString(297, u'c')));
}

struct SentenceCase {
    const char* name;
    Error error;
    QString sentence;
};

class Sentences : public ::testing::TestWithParam<SentenceCase> { };

TEST_P(Sentences, NameTheHostWithoutWww)
{
    EXPECT_EQ(GetParam().error.userMessage(QStringLiteral("mewt.example")), GetParam().sentence);
}

INSTANTIATE_TEST_SUITE_P(Errors, Sentences,
    ::testing::Values(SentenceCase { "serverDetail", Error::server("db_down", "later"),
                          "mewt.example couldn't take feedback (db_down: later)." },
        SentenceCase { "serverEmptyDetail", Error::server("db_down", ""),
            "mewt.example couldn't take feedback right now (db_down). try again shortly." },
        SentenceCase { "unexpected", Error::unexpected("status 502, non-json"),
            "mewt.example returned an unexpected response. status 502, non-json" },
        SentenceCase { "hugeDetailIsCut", Error::server("x", QString(5000, u'y')),
            "mewt.example couldn't take feedback (x: " + QString(Error::serverTextLimit - 1, u'y') + "…)." }),
    [](const auto& info) { return std::string(info.param.name); });

struct UrlCase {
    const char* name;
    QString apiBase;
    QString expected; // empty: refused
};

class FeedbackAddress : public ::testing::TestWithParam<UrlCase> { };

TEST_P(FeedbackAddress, AppendsOnePathAndKeepsToTheHost)
{
    const std::optional<QUrl> url = feedbackURL({ QStringLiteral("mewt.example"), GetParam().apiBase });
    EXPECT_EQ(url ? url->toString() : QString(), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Bases, FeedbackAddress,
    ::testing::Values(UrlCase { "www", "https://www.mewt.example/api/v1", "https://www.mewt.example/api/v1/feedback" },
        UrlCase { "trailingSlashes", "https://mewt.example/api/v1///", "https://mewt.example/api/v1/feedback" },
        UrlCase { "portIgnored", "https://mewt.example:8443/v1", "https://mewt.example:8443/v1/feedback" },
        UrlCase { "plainHttp", "http://www.mewt.example/api/v1", "" },
        UrlCase { "otherHost", "https://evil.example/api/v1", "" },
        UrlCase { "suffixHost", "https://mewt.example.evil.example/api/v1", "" }),
    [](const auto& info) { return std::string(info.param.name); });

FeedbackSubmissionRequest fullRequest()
{
    return { "the \"paw\" is\nstuck 🐈‍⬛", "bug", "a@b.io", "1.4", "27", "Debian GNU/Linux 12 (bookworm)",
        "direct", "en_US" };
}

TEST(RequestEncoding, MembersInServiceOrderAndAbsentOnesLeftOut)
{
    FeedbackSubmissionRequest request = fullRequest();
    EXPECT_EQ(request.toJson(),
        QByteArray(R"j({"message":"the \"paw\" is\nstuck 🐈‍⬛","category":"bug","contact_email":"a@b.io",)j"
                   R"j("app_version":"1.4","app_build":"27","macos_version":"Debian GNU/Linux 12 (bookworm)",)j"
                   R"j("distribution":"direct","locale":"en_US"})j"));
    request.contactEmail.reset();
    request.locale.reset();
    request.message = "x";
    EXPECT_EQ(request.toJson(),
        R"j({"message":"x","category":"bug","app_version":"1.4","app_build":"27","macos_version":"Debian GNU/Linux 12 (bookworm)","distribution":"direct"})j");
}

// Real TLS on loopback: the client's own rules and certificate checks run, with our test authority
// trusted beside the system's.
class LoopbackSend : public ::testing::Test {
protected:
    static FeedbackOutcome send(const FeedbackClientOptions& options)
    {
        std::optional<FeedbackOutcome> outcome;
        QObject context;
        sendFeedback(
            fullRequest(), &context, [&outcome](const FeedbackOutcome& ended) { outcome = ended; }, options);
        EXPECT_TRUE(QTest::qWaitFor([&outcome] { return outcome.has_value(); }, 10'000));
        return outcome.value_or(FeedbackOutcome {});
    }

    static std::optional<QString> failure(const FeedbackOutcome& outcome)
    {
        return outcome.error ? std::optional(outcome.error->description()) : std::nullopt;
    }
};

TEST_F(LoopbackSend, StoredNoteReturnsItsIdentifierAndSendsExactlyTheContract)
{
    LoopbackHttpsServer server;
    server.script({ 201, "application/json; charset=utf-8", stored });
    const FeedbackOutcome outcome = send(server.clientOptions());
    EXPECT_EQ(failure(outcome), std::nullopt);
    EXPECT_EQ(outcome.id, QStringLiteral("abc"));
    ASSERT_EQ(server.requests().size(), 1);
    const LoopbackHttpsServer::Request& request = server.requests().first();
    EXPECT_EQ(request.method, "POST");
    EXPECT_EQ(request.path, "/api/v1/feedback");
    EXPECT_EQ(request.header("Content-Type"), "application/json");
    EXPECT_EQ(request.header("Accept"), "application/json");
    EXPECT_EQ(request.header("X-Mewt-Environment"), "live");
    EXPECT_EQ(request.header("Cookie"), "");
    EXPECT_EQ(request.body, fullRequest().toJson());
}

struct LoopbackCase {
    const char* name;
    LoopbackHttpsServer::Reply reply;
    QString failure;
    std::chrono::milliseconds timeout = 5s;
    bool trusted = true;
};

class LoopbackFailures : public LoopbackSend, public ::testing::WithParamInterface<LoopbackCase> { };

TEST_P(LoopbackFailures, EndInTheirOwnError)
{
    LoopbackHttpsServer server(GetParam().trusted);
    server.script(GetParam().reply);
    EXPECT_EQ(failure(send(server.clientOptions(GetParam().timeout))), GetParam().failure);
    EXPECT_EQ(server.requests().size(), GetParam().trusted ? 1 : 0) << "sent once, never retried";
}

using Mode = LoopbackHttpsServer::Reply::Mode;

INSTANTIATE_TEST_SUITE_P(Answers, LoopbackFailures,
    ::testing::Values(
        LoopbackCase { "rateLimited429",
            { 429, json, R"({"ok":false,"error":{"code":"rate_limited","retryable":true}})" }, "rateLimited" },
        LoopbackCase { "oneByteOverTheCap", { 200, json, QByteArray(maximumFeedbackAnswerSize + 1, ' ') },
            "unexpected(response too large)" },
        LoopbackCase { "neverAnswers", { 200, json, {}, {}, Mode::silent }, "transport", 300ms },
        LoopbackCase { "closesWithoutAnswer", { 200, json, {}, {}, Mode::hangUp }, "transport" },
        LoopbackCase { "redirectElsewhereIsNotFollowed",
            { 307, "text/html", "moved", { "Location: https://elsewhere.example/api/v1/feedback" } },
            "unexpected(status 307, non-json)" },
        LoopbackCase {
            "redirectWithoutLocationIsTheAnswer", { 307, "text/html", "moved" }, "unexpected(status 307, non-json)" },
        LoopbackCase { "untrustedCertificate", { 200, json, stored }, "transport", 5s, false }),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(LoopbackSend, RedirectWithinTheServiceIsFollowedWithTheSameNote)
{
    LoopbackHttpsServer server;
    // A relative location is read against the address that answered it.
    server.script({ 307, "text/html", "moved", { "Location: /api/v1/feedback2" } });
    server.script({ 307, "text/html", "moved",
        { "Location: https://localhost:" + QByteArray::number(server.port()) + "/api/v2/feedback" } });
    server.script({ 200, json, stored });
    EXPECT_EQ(send(server.clientOptions()).id, QStringLiteral("abc"));
    ASSERT_EQ(server.requests().size(), 3) << "one post per redirect";
    EXPECT_EQ(server.requests()[1].path, "/api/v1/feedback2");
    EXPECT_EQ(server.requests()[2].path, "/api/v2/feedback");
    EXPECT_EQ(server.requests()[2].body, fullRequest().toJson());
}

TEST_F(LoopbackSend, RefusedAddressOrNoServiceSendsNothing)
{
    LoopbackHttpsServer server;
    FeedbackClientOptions plain = server.clientOptions();
    plain.endpoint.apiBase.replace(QStringLiteral("https:"), QStringLiteral("http:"));
    EXPECT_EQ(failure(send(plain)), QStringLiteral("unexpected(bad feedback url)"));
    // The default build's reserved host: nothing is sent, and the sentence blames no connection.
    FeedbackClientOptions none = server.clientOptions();
    none.endpoint.serviceHost = QStringLiteral("mewt.invalid");
    const FeedbackOutcome outcome = send(none);
    EXPECT_EQ(failure(outcome), QStringLiteral("transport"));
    EXPECT_EQ(outcome.error->userMessage(none.endpoint.serviceHost),
        QStringLiteral("this build has no feedback service, so notes go nowhere."));
    EXPECT_TRUE(server.requests().isEmpty());
}

} // namespace
