#pragma once

#include "options/FeedbackClient.h"

#include <QByteArray>
#include <QList>
#include <QObject>
#include <QSslCertificate>
#include <QSslKey>
#include <QSslServer>

class QSslSocket;

namespace mewt {

// Certificates made for the test run with the openssl tool: a test-only authority and a
// localhost leaf it signed, and a self-signed localhost leaf nobody trusts.
struct TestCertificates {
    QSslCertificate authority;
    QSslCertificate leaf;
    QSslKey leafKey;
    QSslCertificate stranger;
    QSslKey strangerKey;

    static const TestCertificates& shared(); // made once per test program
};

// An HTTPS/1.1 server on 127.0.0.1 that answers each request with the next scripted reply and
// records what it received. It closes every connection after one exchange.
class LoopbackHttpsServer final : public QObject {
    Q_OBJECT

public:
    struct Reply {
        enum class Mode { answer, silent, hangUp };
        Reply(int status, QByteArray contentType, QByteArray body, QList<QByteArray> extraHeaders = {},
            Mode mode = Mode::answer)
            : status(status)
            , contentType(std::move(contentType))
            , body(std::move(body))
            , extraHeaders(std::move(extraHeaders))
            , mode(mode)
        {
        }
        int status;
        QByteArray contentType;
        QByteArray body;
        QList<QByteArray> extraHeaders;
        Mode mode;
    };
    struct Request {
        QByteArray method;
        QByteArray path;
        QList<std::pair<QByteArray, QByteArray>> headers;
        QByteArray body;
        QByteArray header(const QByteArray& name) const;
    };

    explicit LoopbackHttpsServer(bool trusted = true);

    void script(Reply reply) { replies.append(std::move(reply)); }
    QString apiBase() const;
    // A client for this server on "localhost", trusting the test authority and no proxy.
    FeedbackClientOptions clientOptions(std::chrono::milliseconds timeout = std::chrono::seconds(5)) const;
    quint16 port() const { return server.serverPort(); }
    const QList<Request>& requests() const { return received; }

private:
    void accept();
    void read(QSslSocket* socket);

    QSslServer server;
    QList<Reply> replies;
    QList<Request> received;
};

} // namespace mewt
