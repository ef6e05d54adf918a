#include "options/FeedbackClient.h"

#include "platform/AppInfo.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QPointer>
#include <QSslConfiguration>
#include <QStringDecoder>
#include <QTimer>
#include <algorithm>
#include <cstring>

namespace mewt {

namespace {

struct Envelope {
    bool ok = false;
    std::optional<QString> id;
    std::optional<FeedbackClientError> error;
};

// A member that is absent or null counts as absent, as a strict decoder of optional members reads it.
bool isAbsent(const QJsonValue& value)
{
    return value.isUndefined() || value.isNull();
}

// Types are strict: a number where a Boolean belongs, or a string member that is not a string,
// fails the whole envelope.
std::optional<Envelope> decodeEnvelope(const QByteArray& body)
{
    QJsonParseError parseError;
    const QJsonDocument document = QJsonDocument::fromJson(body, &parseError);
    if (parseError.error != QJsonParseError::NoError || !document.isObject())
        return std::nullopt;
    const QJsonObject root = document.object();
    if (!root.value(u"ok").isBool())
        return std::nullopt;
    Envelope envelope;
    envelope.ok = root.value(u"ok").toBool();

    const QJsonValue data = root.value(u"data");
    if (!isAbsent(data)) {
        if (!data.isObject() || !data.toObject().value(u"id").isString())
            return std::nullopt;
        envelope.id = data.toObject().value(u"id").toString();
    }
    const QJsonValue error = root.value(u"error");
    if (!isAbsent(error)) {
        if (!error.isObject())
            return std::nullopt;
        const QJsonObject payload = error.toObject();
        const QJsonValue message = payload.value(u"message");
        const QJsonValue retryable = payload.value(u"retryable");
        if (!payload.value(u"code").isString() || (!isAbsent(message) && !message.isString())
            || (!isAbsent(retryable) && !retryable.isBool()))
            return std::nullopt;
        const QString code = payload.value(u"code").toString();
        if (code == u"rate_limited")
            envelope.error = FeedbackClientError::rateLimited();
        else if (code == u"invalid_request")
            envelope.error = FeedbackClientError::invalidRequest();
        else
            envelope.error = FeedbackClientError::server(
                code, isAbsent(message) ? std::nullopt : std::optional<QString>(message.toString()));
    }
    return envelope;
}

FeedbackOutcome failure(FeedbackClientError error)
{
    return { {}, std::move(error) };
}

QString statusDetail(int status, const char* suffix = "")
{
    return QStringLiteral("status %1%2").arg(status).arg(QLatin1String(suffix));
}

// Qt reports 4xx and 5xx answers as errors too; those are answers, everything else is a failure
// to get one (connection, TLS, time-out, abort, a broken response).
bool isAnswer(QNetworkReply::NetworkError error)
{
    return error == QNetworkReply::NoError
        || (error >= QNetworkReply::ContentAccessDenied && error <= QNetworkReply::UnknownContentError)
        || (error >= QNetworkReply::InternalServerError && error <= QNetworkReply::UnknownServerError);
}

// The note's bytes, readable once. Qt resends a request on its own when a connection closes before
// any answer; a body that cannot be rewound makes that resend fail instead, so a note the service
// may already have stored is never posted twice.
class OneShotBody final : public QIODevice {
public:
    OneShotBody(QByteArray bytes, QObject* parent)
        : QIODevice(parent)
        , bytes(std::move(bytes))
    {
        open(QIODevice::ReadOnly);
    }
    bool isSequential() const override { return true; }
    bool reset() override { return false; } // quietly, where QIODevice would warn
    qint64 bytesAvailable() const override { return bytes.size() - offset + QIODevice::bytesAvailable(); }

protected:
    qint64 readData(char* data, qint64 maxSize) override
    {
        const qint64 count = std::min(maxSize, qint64(bytes.size() - offset));
        std::memcpy(data, bytes.constData() + offset, size_t(count));
        offset += count;
        return count;
    }
    qint64 writeData(const char*, qint64) override { return -1; }

private:
    QByteArray bytes;
    qsizetype offset = 0;
};

// One send: its own network session, deadline and buffers, gone when it is done.
class FeedbackExchange final : public QObject {
public:
    FeedbackExchange(const FeedbackSubmissionRequest& request, FeedbackClientOptions options,
        std::function<void(const FeedbackOutcome&)> done, QObject* context)
        : QObject(context)
        , options(std::move(options))
        , done(std::move(done))
        , body(request.toJson())
        , network(new QNetworkAccessManager(this))
        , deadline(new QTimer(this))
    {
        if (this->options.proxy)
            network->setProxy(*this->options.proxy);
        deadline->setSingleShot(true);
        connect(deadline, &QTimer::timeout, this, [this] {
            if (reply)
                reply->abort();
        });
    }

    void start()
    {
        // Nothing leaves the machine for a service the build does not have.
        if (!hasFeedbackService(options.endpoint.serviceHost)) {
            QTimer::singleShot(0, this, [this] { finish(failure(FeedbackClientError::transport())); });
            return;
        }
        const std::optional<QUrl> url = feedbackURL(options.endpoint);
        if (!url) {
            QTimer::singleShot(0, this,
                [this] { finish(failure(FeedbackClientError::unexpected(QStringLiteral("bad feedback url")))); });
            return;
        }
        qCInfo(feedbackLogger).noquote() << "POST" << url->toString(QUrl::FullyEncoded);
        deadline->start(options.timeout);
        post(*url);
    }

private:
    void post(const QUrl& url)
    {
        QNetworkRequest request(url);
        request.setAttribute(QNetworkRequest::CacheLoadControlAttribute, QNetworkRequest::AlwaysNetwork);
        request.setAttribute(QNetworkRequest::CacheSaveControlAttribute, false);
        request.setAttribute(QNetworkRequest::CookieLoadControlAttribute, QNetworkRequest::Manual);
        request.setAttribute(QNetworkRequest::CookieSaveControlAttribute, QNetworkRequest::Manual);
        // Redirects are judged here: the host rule must hold for every hop, not only the first.
        request.setAttribute(QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::ManualRedirectPolicy);
        request.setTransferTimeout(static_cast<int>(options.timeout.count()));
        request.setRawHeader("Content-Type", "application/json");
        request.setRawHeader("Accept", "application/json");
        request.setRawHeader("X-Mewt-Environment", "live");
        if (!options.additionalTrustedCAs.isEmpty()) {
            QSslConfiguration tls = QSslConfiguration::defaultConfiguration();
            tls.addCaCertificates(options.additionalTrustedCAs);
            request.setSslConfiguration(tls);
        }
        request.setHeader(QNetworkRequest::ContentLengthHeader, body.size());
        request.setAttribute(QNetworkRequest::DoNotBufferUploadDataAttribute, true);
        answer.clear();
        auto* upload = new OneShotBody(body, this);
        reply = network->post(request, upload);
        connect(reply, &QObject::destroyed, upload, &QObject::deleteLater);
        connect(reply, &QNetworkReply::readyRead, this, &FeedbackExchange::readAnswer);
        connect(reply, &QNetworkReply::finished, this, &FeedbackExchange::replyFinished);
    }

    void readAnswer()
    {
        answer += reply->read(maximumFeedbackAnswerSize - answer.size() + 1);
        if (answer.size() > maximumFeedbackAnswerSize)
            reply->abort(); // finishes at once; the size decides before the abort does
    }

    void replyFinished()
    {
        QNetworkReply* ended = reply;
        reply = nullptr;
        ended->deleteLater();
        if (answer.size() <= maximumFeedbackAnswerSize && ended->isOpen())
            answer += ended->read(maximumFeedbackAnswerSize - answer.size() + 1);
        const QVariant statusAttribute = ended->attribute(QNetworkRequest::HttpStatusCodeAttribute);
        if (answer.size() <= maximumFeedbackAnswerSize && (!statusAttribute.isValid() || !isAnswer(ended->error()))) {
            finish(failure(FeedbackClientError::transport()));
            return;
        }
        const int status = statusAttribute.toInt();
        if ((status == 307 || status == 308) && redirects < maximumFeedbackRedirects) {
            // Qt's own reading of the header drops a relative location, which would resolve to the
            // request's own URL and post the note again to where it was just refused.
            const QUrl location = QUrl::fromEncoded(ended->rawHeader("Location").trimmed(), QUrl::StrictMode);
            const QUrl target = ended->url().resolved(location);
            if (!location.isEmpty() && location.isValid()
                && isAllowedFeedbackURL(target, options.endpoint.serviceHost)) {
                ++redirects;
                post(target);
                return;
            }
        }
        finish(interpretFeedbackAnswer(status, ended->rawHeader("Content-Type"), answer));
    }

    void finish(const FeedbackOutcome& outcome)
    {
        deadline->stop();
        if (const auto report = std::exchange(done, nullptr))
            report(outcome);
        deleteLater();
    }

    FeedbackClientOptions options;
    std::function<void(const FeedbackOutcome&)> done;
    QByteArray body;
    QNetworkAccessManager* network;
    QTimer* deadline;
    QPointer<QNetworkReply> reply;
    QByteArray answer;
    int redirects = 0;
};

} // namespace

const FeedbackEndpoint& FeedbackEndpoint::production()
{
    static const FeedbackEndpoint endpoint {
        QString::fromUtf8(AppInfo::feedbackHost),
        QStringLiteral("https://www.%1/api/v1").arg(QString::fromUtf8(AppInfo::feedbackHost)),
    };
    return endpoint;
}

const QLoggingCategory& feedbackLogger()
{
    static const QByteArray name = QByteArray(AppInfo::bundleIdentifier) + ".feedback";
    static const QLoggingCategory category(name.constData());
    return category;
}

bool isAllowedFeedbackURL(const QUrl& url, const QString& serviceHost)
{
    if (url.host().isEmpty() || url.scheme().isEmpty() || url.scheme() != u"https")
        return false;
    return url.host() == serviceHost || url.host() == QStringLiteral("www.") + serviceHost;
}

std::optional<QUrl> feedbackURL(const FeedbackEndpoint& endpoint)
{
    QString base = endpoint.apiBase;
    while (base.startsWith(u'/'))
        base.remove(0, 1);
    while (base.endsWith(u'/'))
        base.chop(1);
    const QUrl url(base + QStringLiteral("/feedback"), QUrl::StrictMode);
    if (!url.isValid() || !isAllowedFeedbackURL(url, endpoint.serviceHost))
        return std::nullopt;
    return url;
}

QString feedbackLogText(const QByteArray& body)
{
    QStringDecoder decoder(QStringConverter::Utf8, QStringConverter::Flag::Stateless);
    const QString text = decoder(body);
    if (decoder.hasError())
        return QStringLiteral("<non-utf8 %1b>").arg(body.size());
    return loggedServerText(text);
}

FeedbackOutcome interpretFeedbackAnswer(
    std::optional<int> status, const QByteArray& contentType, const QByteArray& body)
{
    if (body.size() > maximumFeedbackAnswerSize)
        return failure(FeedbackClientError::unexpected(QStringLiteral("response too large")));
    if (!status)
        return failure(FeedbackClientError::unexpected(QStringLiteral("missing http response")));
    const QString type = QString::fromLatin1(contentType).toLower();
    qCInfo(feedbackLogger).noquote().nospace()
        << "status=" << *status << " ct=" << type << " body=" << feedbackLogText(body);
    if (!type.contains(u"application/json"))
        return failure(FeedbackClientError::unexpected(statusDetail(*status, ", non-json")));
    const std::optional<Envelope> envelope = decodeEnvelope(body);
    if (!envelope)
        return failure(FeedbackClientError::unexpected(statusDetail(*status, ", decode failed")));
    if ((*status == 200 || *status == 201) && envelope->ok && envelope->id && !envelope->id->isEmpty())
        return { *envelope->id, std::nullopt };
    if (envelope->error)
        return failure(*envelope->error);
    return failure(FeedbackClientError::unexpected(statusDetail(*status)));
}

void sendFeedback(const FeedbackSubmissionRequest& request, QObject* context,
    std::function<void(const FeedbackOutcome&)> done, const FeedbackClientOptions& options)
{
    (new FeedbackExchange(request, options, std::move(done), context))->start();
}

} // namespace mewt
