#include "options/FeedbackComposerModel.h"

#include "options/GraphemeText.h"

namespace mewt {

FeedbackComposerModel::FeedbackComposerModel(
    FeedbackDiagnostics diagnostics, FeedbackClientOptions options, QObject* parent)
    : FeedbackComposerModel(
        std::move(diagnostics), options,
        [options](const FeedbackSubmissionRequest& request, QObject* context,
            std::function<void(const FeedbackOutcome&)> done) {
            sendFeedback(request, context, std::move(done), options);
        },
        parent)
{
}

FeedbackComposerModel::FeedbackComposerModel(
    FeedbackDiagnostics diagnostics, FeedbackClientOptions options, Sender sender, QObject* parent)
    : QObject(parent)
    , facts(std::move(diagnostics))
    , options(std::move(options))
    , sender(std::move(sender))
{
}

void FeedbackComposerModel::setState(const State& state)
{
    if (state == current)
        return;
    current = state;
    Q_EMIT changed();
}

void FeedbackComposerModel::setMessage(const QString& message)
{
    State next = current;
    next.message = message;
    setState(next);
}

void FeedbackComposerModel::setCategory(Category category)
{
    State next = current;
    next.category = category;
    setState(next);
}

void FeedbackComposerModel::setContactEmail(const QString& address)
{
    State next = current;
    next.contactEmail = address;
    setState(next);
}

void FeedbackComposerModel::setIncludeEmail(bool include)
{
    State next = current;
    next.includeEmail = include;
    setState(next);
}

bool FeedbackComposerModel::canSend() const
{
    const QString trimmed = current.message.trimmed();
    return !trimmed.isEmpty() && current.phase.kind != Phase::Kind::sending && !exceedsGraphemes(trimmed, messageLimit);
}

std::optional<QString> FeedbackComposerModel::validContactEmail() const
{
    const QString address = current.contactEmail.trimmed().toLower();
    if (!address.contains(u'@') || !address.contains(u'.') || exceedsGraphemes(address, contactEmailLimit))
        return std::nullopt;
    return address;
}

void FeedbackComposerModel::submit()
{
    if (!canSend())
        return;
    State next = current;
    next.phase = { Phase::Kind::sending, {} };
    setState(next);

    FeedbackSubmissionRequest request;
    request.message = current.message.trimmed();
    request.category = FeedbackSubmissionRequest::rawValue(current.category);
    if (current.includeEmail)
        request.contactEmail = validContactEmail();
    request.appVersion = facts.appVersion;
    request.appBuild = facts.appBuild;
    request.osVersion = facts.osVersion;
    request.distribution = facts.distribution;
    request.locale = facts.locale;
    // The model is the context: the send ends with it at the latest, never after it.
    sender(request, this, [this](const FeedbackOutcome& outcome) { sendEnded(outcome); });
}

void FeedbackComposerModel::sendEnded(const FeedbackOutcome& outcome)
{
    State next = current;
    if (outcome.succeeded()) {
        next.phase = { Phase::Kind::sent, {} };
    } else {
        qCCritical(feedbackLogger).noquote() << "feedback failed:" << outcome.error->description();
        next.phase = Phase::failed(outcome.error->userMessage(options.endpoint.serviceHost));
    }
    setState(next);
}

void FeedbackComposerModel::clearFailure()
{
    if (current.phase.kind != Phase::Kind::failed)
        return;
    State next = current;
    next.phase = {};
    setState(next);
}

} // namespace mewt
