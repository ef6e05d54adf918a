#pragma once

#include "options/FeedbackClient.h"
#include "options/FeedbackDiagnostics.h"
#include "options/FeedbackSubmissionRequest.h"

#include <QObject>
#include <functional>
#include <optional>

namespace mewt {

// The feedback form's state: the note, its kind, the optional reply address, and where the send
// stands. It sends through the client and keeps the typed note through every outcome.
class FeedbackComposerModel final : public QObject {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(FeedbackComposerModel)

public:
    using Category = FeedbackSubmissionRequest::Category;

    struct Phase {
        enum class Kind { editing, sending, sent, failed };
        Kind kind = Kind::editing;
        QString sentence; // what to show, with `failed` only

        static Phase failed(QString sentence) { return { Kind::failed, std::move(sentence) }; }
        friend bool operator==(const Phase&, const Phase&) = default;
    };

    struct State {
        QString message;
        Category category = Category::idea;
        QString contactEmail;
        bool includeEmail = false;
        Phase phase;
        friend bool operator==(const State&, const State&) = default;
    };

    // Posts one request and reports its outcome, or never when `context` goes first.
    using Sender = std::function<void(
        const FeedbackSubmissionRequest&, QObject* context, std::function<void(const FeedbackOutcome&)>)>;

    // What a note may send; it holds whatever is typed, and only sending waits for it to fit.
    static constexpr qsizetype messageLimit = 4000;
    static constexpr qsizetype contactEmailLimit = 254;

    explicit FeedbackComposerModel(
        FeedbackDiagnostics diagnostics, FeedbackClientOptions options = {}, QObject* parent = nullptr);
    // For tests that answer sends themselves; the sentences still name `options`' host.
    FeedbackComposerModel(
        FeedbackDiagnostics diagnostics, FeedbackClientOptions options, Sender sender, QObject* parent = nullptr);

    const State& state() const { return current; }
    const FeedbackDiagnostics& diagnostics() const { return facts; }

    void setMessage(const QString& message);
    void setCategory(Category category);
    void setContactEmail(const QString& address);
    void setIncludeEmail(bool include);

    bool canSend() const;
    // The address as it would be sent, or nothing when it does not look like one.
    std::optional<QString> validContactEmail() const;
    // Starts a send when one may start. It runs to its end for as long as the model exists.
    void submit();
    // A failure goes back to editing; nothing else changes.
    void clearFailure();

Q_SIGNALS:
    void changed();

private:
    void setState(const State& state);
    void sendEnded(const FeedbackOutcome& outcome);

    FeedbackDiagnostics facts;
    FeedbackClientOptions options;
    Sender sender;
    State current;
};

} // namespace mewt
