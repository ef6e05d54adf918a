#include "LoopbackHttpsServer.h"
#include "options/FeedbackComposerModel.h"

#include <QPointer>
#include <QTest>
#include <gtest/gtest.h>

using namespace mewt;

namespace {

using Kind = FeedbackComposerModel::Phase::Kind;
const QString family = QStringLiteral("👩‍👩‍👧‍👦"); // seven code points, one character

FeedbackClientOptions exampleService()
{
    FeedbackClientOptions options;
    options.endpoint = { QStringLiteral("mewt.example"), QStringLiteral("https://www.mewt.example/api/v1") };
    return options;
}

// A model whose sends the test answers by hand.
class ComposerRig : public ::testing::Test {
protected:
    FeedbackComposerModel model { FeedbackDiagnostics::make("1.4", "", "Debian GNU/Linux 12", "en_US"),
        exampleService(),
        [this](const FeedbackSubmissionRequest& request, QObject*, std::function<void(const FeedbackOutcome&)> done) {
            sent.push_back(request);
            pending.push_back(std::move(done));
        } };
    std::vector<FeedbackSubmissionRequest> sent;
    std::vector<std::function<void(const FeedbackOutcome&)>> pending;

    void answer(const FeedbackOutcome& outcome)
    {
        ASSERT_FALSE(pending.empty());
        const auto done = pending.back();
        pending.pop_back();
        done(outcome);
    }
};

struct MessageCase {
    const char* name;
    QString message;
    bool sendable;
};

class MessageLimit : public ComposerRig, public ::testing::WithParamInterface<MessageCase> { };

TEST_P(MessageLimit, CountsWhatAReaderSeesAfterTrimming)
{
    model.setMessage(GetParam().message);
    EXPECT_EQ(model.state().message, GetParam().message) << "kept whole, sendable or not";
    EXPECT_EQ(model.canSend(), GetParam().sendable);
    model.submit();
    model.submit(); // a second press while the first send runs
    EXPECT_EQ(sent.size(), GetParam().sendable ? 1u : 0u);
    EXPECT_EQ(model.state().phase.kind, GetParam().sendable ? Kind::sending : Kind::editing);
}

INSTANTIATE_TEST_SUITE_P(Notes, MessageLimit,
    ::testing::Values(MessageCase { "blanksAndLineBreaks", " \n\t \u00a0\n", false },
        MessageCase { "fourThousandBetweenBlanks", "  \n" + QString(4000, u'a') + "\n  ", true },
        MessageCase { "fourThousandAndOne", QString(4001, u'a'), false },
        MessageCase { "fourThousandFamilies", family.repeated(4000), true },
        MessageCase { "fourThousandAndOneFamilies", family.repeated(4001), false },
        MessageCase { "fiveThousand", QString(5000, u'a'), false }),
    [](const auto& info) { return std::string(info.param.name); });

struct AddressCase {
    const char* name;
    bool include;
    QString typed;
    std::optional<QString> sent;
};

class ReplyAddress : public ComposerRig, public ::testing::WithParamInterface<AddressCase> { };

TEST_P(ReplyAddress, TravelsOnlyWhenWantedAndPlausibleAndNeverStopsTheNote)
{
    model.setMessage("  the paw is stuck \n");
    model.setIncludeEmail(GetParam().include);
    model.setContactEmail(GetParam().typed);
    model.submit();
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_EQ(sent[0].contactEmail, GetParam().sent);
    EXPECT_EQ(sent[0].message, QStringLiteral("the paw is stuck"));
    EXPECT_EQ(model.state().contactEmail, GetParam().typed) << "what was typed stays as typed";
}

const QString longLocalPart = QString(254 - QStringLiteral("@b.io").size(), u'a');

INSTANTIATE_TEST_SUITE_P(Addresses, ReplyAddress,
    ::testing::Values(AddressCase { "trimmedAndLowered", true, " \tCat@Example.ORG \n", "cat@example.org" },
        AddressCase { "noDot", true, "cat@example", std::nullopt },
        AddressCase { "noAt", true, "cat.example.org", std::nullopt },
        AddressCase { "longestAllowed", true, longLocalPart + "@b.io", longLocalPart + "@b.io" },
        AddressCase { "oneTooLong", true, "a" + longLocalPart + "@b.io", std::nullopt },
        AddressCase { "switchedOff", false, "cat@example.org", std::nullopt }),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(ComposerRig, FailureKeepsTheNoteAndSendingAgainSendsTheSameNote)
{
    model.setMessage("purr ");
    model.setCategory(FeedbackSubmissionRequest::Category::bug);
    model.setIncludeEmail(true);
    model.setContactEmail("a@b.io");
    model.submit();
    answer({ {}, FeedbackClientError::transport() });

    EXPECT_EQ(model.state().phase,
        FeedbackComposerModel::Phase::failed("couldn't reach mewt.example. check your connection."));
    EXPECT_EQ(model.state().message, QStringLiteral("purr "));
    EXPECT_TRUE(model.canSend());
    model.setCategory(FeedbackSubmissionRequest::Category::other);
    model.setCategory(FeedbackSubmissionRequest::Category::bug);
    EXPECT_EQ(model.state().phase.kind, Kind::failed) << "editing leaves the sentence in place";

    model.clearFailure();
    model.submit();
    ASSERT_EQ(sent.size(), 2u);
    EXPECT_EQ(sent[1], sent[0]);
    EXPECT_EQ(sent[0].category, QStringLiteral("bug"));
    EXPECT_EQ(sent[0].appBuild, QStringLiteral("unknown")) << "a build without a number";
    EXPECT_EQ(sent[0].locale, QStringLiteral("en_US"));
    answer({ QStringLiteral("n1"), std::nullopt });
    EXPECT_EQ(model.state().phase.kind, Kind::sent);
}

TEST(ComposerLifetime, ModelGoingMidSendAbandonsTheRequestSafely)
{
    LoopbackHttpsServer server;
    server.script({ 200, "application/json", {}, {}, LoopbackHttpsServer::Reply::Mode::silent });
    auto* model = new FeedbackComposerModel(FeedbackDiagnostics::make("1", "1", "x", "C"), server.clientOptions());
    model->setMessage("meow");
    model->submit();
    ASSERT_TRUE(QTest::qWaitFor([&server] { return !server.requests().isEmpty(); }, 10'000));
    const QPointer<QObject> exchange = model->children().value(0);
    ASSERT_FALSE(exchange.isNull());
    delete model;
    EXPECT_TRUE(exchange.isNull()) << "the send ends with its model, not after it";
}

TEST(SystemVersion, NamesDistributionAndKernelOnceWithoutVersionWordsCutTo64Characters)
{
    const auto osVersion = [](const QString& prettyName, const QString& kernel) {
        return FeedbackDiagnostics::make("1", "2", FeedbackDiagnostics::systemDescription(prettyName, kernel), "C")
            .osVersion;
    };
    EXPECT_EQ(osVersion("Debian GNU/Linux 12 (bookworm)", "6.1.0-18-amd64"),
        QStringLiteral("Debian GNU/Linux 12 (bookworm) 6.1.0-18-amd64"));
    EXPECT_EQ(osVersion("Acme Version 3 Version 4", "5.0"), QStringLiteral("Acme 3 4 5.0"));
    EXPECT_EQ(osVersion(QString(62, u'x') + family + "yy", ""), QString(62, u'x') + family + "y");
}

} // namespace
