#include "LocalHttpServer.h"

#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>

#include <memory>
#include <optional>

namespace {

constexpr QByteArrayView headEnd = "\r\n\r\n";

std::string addressOnPort(quint16 port, const std::string& path)
{
    return "http://127.0.0.1:" + std::to_string(port) + path;
}

// Takes the first complete request off the front of what a connection has received.
std::optional<LocalHttpServer::Request> takeRequest(QByteArray& received)
{
    const qsizetype headLength = received.indexOf(headEnd);
    if (headLength < 0)
        return std::nullopt;
    LocalHttpServer::Request request;
    QList<QByteArray> lines = received.left(headLength).split('\n');
    for (QByteArray& line : lines) {
        if (line.endsWith('\r'))
            line.chop(1);
    }
    request.requestLine = lines.takeFirst();
    request.headerLines = lines;
    const qsizetype bodyLength = request.header("Content-Length").toLongLong();
    const qsizetype requestLength = headLength + headEnd.size() + bodyLength;
    if (received.size() < requestLength)
        return std::nullopt;
    request.body = received.mid(headLength + headEnd.size(), bodyLength);
    received.remove(0, requestLength);
    return request;
}

// The path of the request target, also of the absolute form a proxy is sent, without a query.
QByteArray pathOf(const LocalHttpServer::Request& request)
{
    QByteArray target = request.requestLine.split(' ').value(1);
    const qsizetype authority = target.indexOf("://");
    if (authority >= 0) {
        const qsizetype pathStart = target.indexOf('/', authority + 3);
        target = pathStart < 0 ? QByteArray("/") : target.mid(pathStart);
    }
    const qsizetype query = target.indexOf('?');
    return query < 0 ? target : target.left(query);
}

QByteArray reasonPhrase(int status)
{
    switch (status) {
    case 200:
        return "OK";
    case 301:
        return "Moved Permanently";
    case 302:
        return "Found";
    case 401:
        return "Unauthorized";
    case 404:
        return "Not Found";
    default:
        return "Status";
    }
}

QByteArray replyBytes(const LocalHttpServer::Request& request, const LocalHttpServer::Response& response)
{
    QByteArray reply = "HTTP/1.1 " + QByteArray::number(response.status) + ' ' + reasonPhrase(response.status) + "\r\n";
    for (const QByteArray& header : response.headers)
        reply += header + "\r\n";
    reply += "Content-Length: " + QByteArray::number(response.body.size()) + "\r\n\r\n";
    if (request.method() != "HEAD")
        reply += response.body;
    return reply;
}

} // namespace

QByteArray LocalHttpServer::Request::method() const
{
    return requestLine.split(' ').value(0);
}

QByteArray LocalHttpServer::Request::header(const QByteArray& name) const
{
    for (const QByteArray& line : headerLines) {
        const qsizetype colon = line.indexOf(':');
        if (colon >= 0 && line.left(colon).trimmed().compare(name, Qt::CaseInsensitive) == 0)
            return line.mid(colon + 1).trimmed();
    }
    return {};
}

LocalHttpServer::LocalHttpServer() = default;

LocalHttpServer::~LocalHttpServer()
{
    m_thread.quit();
    m_thread.wait();
}

bool LocalHttpServer::start()
{
    m_server = new QTcpServer;
    m_server->moveToThread(&m_thread);
    QObject::connect(&m_thread, &QThread::finished, m_server, &QObject::deleteLater);
    m_thread.start();
    bool listening = false;
    // The listening socket belongs to the server's thread, so it is opened there.
    QMetaObject::invokeMethod(
        m_server,
        [this, &listening] {
            QObject::connect(m_server, &QTcpServer::newConnection, m_server, [this] { acceptConnections(); });
            listening = m_server->listen(QHostAddress::LocalHost, 0);
            m_port = m_server->serverPort();
        },
        Qt::BlockingQueuedConnection);
    return listening;
}

std::string LocalHttpServer::url(const std::string& path) const
{
    return addressOnPort(m_port, path);
}

void LocalHttpServer::setRoute(const QByteArray& path, const Response& response)
{
    std::lock_guard lock(m_mutex);
    m_routes.insert(path, response);
}

QList<LocalHttpServer::Request> LocalHttpServer::requests() const
{
    std::lock_guard lock(m_mutex);
    return m_requests;
}

void LocalHttpServer::clearRequests()
{
    std::lock_guard lock(m_mutex);
    m_requests.clear();
}

std::string LocalHttpServer::unusedAddress(const std::string& path)
{
    QTcpServer probe;
    probe.listen(QHostAddress::LocalHost, 0);
    const quint16 port = probe.serverPort();
    probe.close();
    return addressOnPort(port, path);
}

void LocalHttpServer::acceptConnections()
{
    while (QTcpSocket* socket = m_server->nextPendingConnection()) {
        auto received = std::make_shared<QByteArray>();
        QObject::connect(socket, &QTcpSocket::readyRead, socket, [this, socket, received] {
            received->append(socket->readAll());
            while (std::optional<Request> request = takeRequest(*received)) {
                request->clientPort = socket->peerPort();
                answer(socket, *request);
            }
        });
        QObject::connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
    }
}

void LocalHttpServer::answer(QTcpSocket* socket, const Request& request)
{
    Response response;
    response.status = 404;
    {
        std::lock_guard lock(m_mutex);
        m_requests.append(request);
        response = m_routes.value(pathOf(request), response);
    }
    if (response.silent)
        return;
    const QByteArray reply = replyBytes(request, response);
    if (response.delayMs > 0)
        QTimer::singleShot(response.delayMs, socket, [socket, reply] { socket->write(reply); });
    else
        socket->write(reply);
}
