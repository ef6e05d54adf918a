#include "LoopbackHttpServer.h"

#include <QTcpSocket>

namespace mewt {

LoopbackHttpServer::Response LoopbackHttpServer::Response::stalled(QByteArray body)
{
    Response response(200, std::move(body));
    response.stall = true;
    return response;
}

LoopbackHttpServer::Response LoopbackHttpServer::Response::streamed(QByteArray body)
{
    Response response(200, std::move(body));
    response.announceLength = false;
    return response;
}

LoopbackHttpServer::Response LoopbackHttpServer::Response::withHeader(QByteArray header) &&
{
    extraHeaders.append(std::move(header));
    return std::move(*this);
}

LoopbackHttpServer::LoopbackHttpServer()
{
    server.listen(QHostAddress::LocalHost, 0);
    connect(&server, &QTcpServer::newConnection, this, &LoopbackHttpServer::accept);
}

QUrl LoopbackHttpServer::url(const QByteArray& path) const
{
    return QUrl(QStringLiteral("http://127.0.0.1:%1%2").arg(server.serverPort()).arg(QString::fromLatin1(path)));
}

quint16 LoopbackHttpServer::closedPort()
{
    QTcpServer probe;
    probe.listen(QHostAddress::LocalHost, 0);
    const quint16 port = probe.serverPort();
    probe.close();
    return port;
}

void LoopbackHttpServer::accept()
{
    while (QTcpSocket* socket = server.nextPendingConnection()) {
        socket->setSocketOption(QAbstractSocket::LowDelayOption, 1);
        connect(socket, &QTcpSocket::readyRead, this, [this, socket] { serve(socket); });
        connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
    }
}

void LoopbackHttpServer::serve(QTcpSocket* socket)
{
    QByteArray head = socket->property("head").toByteArray() + socket->readAll();
    socket->setProperty("head", head);
    const qsizetype end = head.indexOf("\r\n\r\n");
    if (end < 0 || socket->property("answered").toBool())
        return;
    socket->setProperty("answered", true);
    head.truncate(end);
    received.append(head);

    const QList<QByteArray> requestLine = head.left(head.indexOf("\r\n")).split(' ');
    const QByteArray path = requestLine.size() > 1 ? requestLine[1] : QByteArray();
    const Response response = routes.value(path, Response(404, "not here"));

    QByteArray reply = "HTTP/1.1 " + QByteArray::number(response.status) + " Whatever\r\n";
    reply += "Content-Type: application/rss+xml\r\nConnection: close\r\n";
    if (response.announceLength)
        reply += "Content-Length: " + QByteArray::number(response.body.size()) + "\r\n";
    for (const QByteArray& header : response.extraHeaders)
        reply += header + "\r\n";
    reply += "\r\n";
    if (response.stall) {
        socket->write(reply + response.body.left(16));
        return;
    }
    socket->write(reply + response.body);
    socket->disconnectFromHost();
}

} // namespace mewt
