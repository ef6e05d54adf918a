#pragma once

#include "options/FeedbackClientError.h"
#include "options/FeedbackSubmissionRequest.h"

#include <QByteArray>
#include <QList>
#include <QLoggingCategory>
#include <QNetworkProxy>
#include <QSslCertificate>
#include <QString>
#include <QUrl>
#include <chrono>
#include <functional>
#include <optional>

class QObject;

namespace mewt {

// Where notes go. The product has exactly one, fixed when it is built; only tests make others.
struct FeedbackEndpoint {
    QString serviceHost; // without "www.": the name the URL rule accepts and the sentences show
    QString apiBase; // the service's API base address

    static const FeedbackEndpoint& production();
};

struct FeedbackClientOptions {
    FeedbackEndpoint endpoint = FeedbackEndpoint::production();
    // Both the time without progress and the time for the whole exchange.
    std::chrono::milliseconds timeout { 30'000 };
    // Trusted besides the system's authorities; the product adds none.
    QList<QSslCertificate> additionalTrustedCAs;
    // The application's proxy when unset.
    std::optional<QNetworkProxy> proxy;
};

// What one send came to: the stored note's identifier, or why there is none.
struct FeedbackOutcome {
    QString id;
    std::optional<FeedbackClientError> error;

    bool succeeded() const { return !error; }
    friend bool operator==(const FeedbackOutcome&, const FeedbackOutcome&) = default;
};

inline constexpr qsizetype maximumFeedbackAnswerSize = 1024 * 1024;
// Redirects that keep the method and body, to an allowed address, are followed this many times.
inline constexpr int maximumFeedbackRedirects = 5;

// The feedback log, "feedback" under the application's identifier.
const QLoggingCategory& feedbackLogger();

// Only https to the service host or its "www." form; port, path and query do not matter.
bool isAllowedFeedbackURL(const QUrl& url, const QString& serviceHost);
// The base without its surrounding "/", then "/feedback"; nothing when that is not allowed.
std::optional<QUrl> feedbackURL(const FeedbackEndpoint& endpoint);

// The body as the log shows it: UTF-8 text, or "<non-utf8 N b>".
QString feedbackLogText(const QByteArray& body);
// Judges one answer, first rule first: size, an HTTP status at all, JSON, the envelope, success,
// the error payload. `status` is empty when no HTTP answer came. Logs the answer it judges.
FeedbackOutcome interpretFeedbackAnswer(
    std::optional<int> status, const QByteArray& contentType, const QByteArray& body);

// Posts one note, once, and calls `done` on the calling thread with the outcome, always
// asynchronously. Nothing is retried. The exchange belongs to `context`: when it goes, the exchange
// is abandoned and `done` is not called.
void sendFeedback(const FeedbackSubmissionRequest& request, QObject* context,
    std::function<void(const FeedbackOutcome&)> done, const FeedbackClientOptions& options = {});

} // namespace mewt
