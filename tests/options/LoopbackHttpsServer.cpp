#include "LoopbackHttpsServer.h"

#include <QFile>
#include <QProcess>
#include <QSslConfiguration>
#include <QSslSocket>
#include <QTemporaryDir>
#include <stdexcept>

namespace mewt {

namespace {

TestCertificates make()
{
    QTemporaryDir folder;
    // P-256 keys, valid for two days: long enough for any run, useless anywhere else.
    const QString key = QStringLiteral("-newkey ec -pkeyopt ec_paramgen_curve:P-256 -nodes -days 2");
    const QString names = QStringLiteral("-addext subjectAltName=DNS:localhost,IP:127.0.0.1");
    const QStringList commands {
        "req -x509 " + key + " -subj /CN=mewt-test-authority -keyout ca.key -out ca.pem"
            + " -addext basicConstraints=critical,CA:TRUE -addext keyUsage=critical,keyCertSign",
        "req " + key + " -subj /CN=localhost -keyout leaf.key -out leaf.csr " + names,
        "x509 -req -in leaf.csr -CA ca.pem -CAkey ca.key -CAcreateserial -days 2 -copy_extensions copy -out leaf.pem",
        "req -x509 " + key + " -subj /CN=localhost -keyout stranger.key -out stranger.pem " + names,
    };
    for (const QString& command : commands) {
        QProcess openssl;
        openssl.setWorkingDirectory(folder.path());
        openssl.start(QStringLiteral("openssl"), command.split(u' '));
        if (!openssl.waitForFinished(20'000) || openssl.exitStatus() != QProcess::NormalExit || openssl.exitCode())
            throw std::runtime_error("openssl failed: " + openssl.readAllStandardError().toStdString());
    }
    const auto read = [&folder](const char* name) {
        QFile file(folder.filePath(QString::fromLatin1(name)));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    };
    const TestCertificates made { QSslCertificate(read("ca.pem")), QSslCertificate(read("leaf.pem")),
        QSslKey(read("leaf.key"), QSsl::Ec), QSslCertificate(read("stranger.pem")),
        QSslKey(read("stranger.key"), QSsl::Ec) };
    if (made.authority.isNull() || made.leaf.isNull() || made.leafKey.isNull() || made.stranger.isNull())
        throw std::runtime_error("unreadable test certificates");
    return made;
}

} // namespace

const TestCertificates& TestCertificates::shared()
{
    static const TestCertificates certificates = make();
    return certificates;
}

QByteArray LoopbackHttpsServer::Request::header(const QByteArray& name) const
{
    for (const auto& [key, value] : headers) {
        if (key.compare(name, Qt::CaseInsensitive) == 0)
            return value;
    }
    return {};
}

LoopbackHttpsServer::LoopbackHttpsServer(bool trusted)
{
    const TestCertificates& certificates = TestCertificates::shared();
    QSslConfiguration tls = QSslConfiguration::defaultConfiguration();
    tls.setLocalCertificate(trusted ? certificates.leaf : certificates.stranger);
    tls.setPrivateKey(trusted ? certificates.leafKey : certificates.strangerKey);
    tls.setPeerVerifyMode(QSslSocket::VerifyNone);
    server.setSslConfiguration(tls);
    server.listen(QHostAddress::LocalHost, 0);
    connect(&server, &QSslServer::pendingConnectionAvailable, this, &LoopbackHttpsServer::accept);
}

QString LoopbackHttpsServer::apiBase() const
{
    return QStringLiteral("https://localhost:%1/api/v1").arg(server.serverPort());
}

FeedbackClientOptions LoopbackHttpsServer::clientOptions(std::chrono::milliseconds timeout) const
{
    return { { QStringLiteral("localhost"), apiBase() }, timeout, { TestCertificates::shared().authority },
        QNetworkProxy(QNetworkProxy::NoProxy) };
}

void LoopbackHttpsServer::accept()
{
    while (auto* socket = static_cast<QSslSocket*>(server.nextPendingConnection())) {
        connect(socket, &QSslSocket::readyRead, this, [this, socket] { read(socket); });
        connect(socket, &QSslSocket::disconnected, socket, &QObject::deleteLater);
        read(socket);
    }
}

void LoopbackHttpsServer::read(QSslSocket* socket)
{
    QByteArray data = socket->property("data").toByteArray() + socket->readAll();
    socket->setProperty("data", data);
    const qsizetype headEnd = data.indexOf("\r\n\r\n");
    if (headEnd < 0 || socket->property("answered").toBool())
        return;
    Request request;
    const QList<QByteArray> lines = data.left(headEnd).split('\n');
    const QList<QByteArray> requestLine = lines.value(0).trimmed().split(' ');
    request.method = requestLine.value(0);
    request.path = requestLine.value(1);
    qsizetype length = 0;
    for (qsizetype index = 1; index < lines.size(); ++index) {
        const qsizetype colon = lines[index].indexOf(':');
        const QByteArray name = lines[index].left(colon).trimmed();
        const QByteArray value = lines[index].mid(colon + 1).trimmed();
        request.headers.append({ name, value });
        if (name.compare("content-length", Qt::CaseInsensitive) == 0)
            length = value.toLongLong();
    }
    if (data.size() < headEnd + 4 + length)
        return;
    request.body = data.mid(headEnd + 4, length);
    received.append(request);
    socket->setProperty("answered", true);

    const Reply reply = replies.isEmpty() ? Reply { 404, "text/plain", "no reply scripted", {} } : replies.takeFirst();
    if (reply.mode == Reply::Mode::silent)
        return;
    if (reply.mode == Reply::Mode::hangUp) {
        socket->disconnectFromHost();
        return;
    }
    QByteArray answer = "HTTP/1.1 " + QByteArray::number(reply.status) + " Scripted\r\nConnection: close\r\n";
    answer += "Content-Type: " + reply.contentType + "\r\nContent-Length: " + QByteArray::number(reply.body.size())
        + "\r\n";
    for (const QByteArray& header : reply.extraHeaders)
        answer += header + "\r\n";
    socket->write(answer + "\r\n" + reply.body);
    socket->disconnectFromHost();
}

} // namespace mewt
