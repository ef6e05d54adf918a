#pragma once

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QObject>
#include <QTcpServer>
#include <QUrl>

class QTcpSocket;

namespace mewt {

// A tiny HTTP/1.1 server on 127.0.0.1 that answers each path with a fixed response.
class LoopbackHttpServer final : public QObject {
    Q_OBJECT

public:
    struct Response {
        Response(int status, QByteArray body)
            : status(status)
            , body(std::move(body))
        {
        }
        // Sends the head and a little of the body, then nothing more.
        static Response stalled(QByteArray body);
        // Sends the body without announcing its length.
        static Response streamed(QByteArray body);
        Response withHeader(QByteArray header) &&;

        int status;
        QByteArray body;
        QList<QByteArray> extraHeaders;
        bool announceLength = true;
        bool stall = false;
    };

    LoopbackHttpServer();

    void route(const QByteArray& path, Response response) { routes.insert(path, std::move(response)); }
    QUrl url(const QByteArray& path) const;
    // Every request head received so far, in order.
    const QList<QByteArray>& requests() const { return received; }

    // A port on which nothing listens.
    static quint16 closedPort();

private:
    void accept();
    void serve(QTcpSocket* socket);

    QTcpServer server;
    QHash<QByteArray, Response> routes;
    QList<QByteArray> received;
};

} // namespace mewt
