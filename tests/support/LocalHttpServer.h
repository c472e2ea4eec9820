#pragma once

#include <QByteArray>
#include <QList>
#include <QMap>
#include <QThread>

#include <mutex>
#include <string>

class QTcpServer;
class QTcpSocket;

// An HTTP/1.1 server on 127.0.0.1 for tests. It serves from a thread of its own, so a test
// that blocks in a request on its own thread still gets the answer. It records every request
// and answers each path with the response set for it; a path without one gets 404 and no body.
// The path of a proxy request ("GET http://host/page") is the part after the host, so the
// server can stand in for a proxy as well.
//
// As a time server that answers HEAD "/" with a given Date header:
//     LocalHttpServer server;
//     server.start();
//     LocalHttpServer::Response dated;
//     dated.headers = {"Date: Wed, 23 Mar 2022 02:51:32 GMT"};
//     server.setRoute("/", dated);
//     networkTime(server.url("/"));   // 23 March 2022, 10:51:32 at UTC+8
class LocalHttpServer final
{
public:
    struct Response
    {
        int status = 200;
        // Header lines sent in this order, such as "Date: Wed, 23 Mar 2022 02:51:32 GMT",
        // "Set-Cookie: a=1; path=/" or "Location: /next". Content-Length is added.
        QList<QByteArray> headers;
        // Left out in the answer to a HEAD request.
        QByteArray body;
        // Milliseconds to wait before answering.
        int delayMs = 0;
        // Never answer: the connection stays open until the client gives up.
        bool silent = false;
    };

    struct Request
    {
        QByteArray requestLine; // such as "GET /path HTTP/1.1"
        QList<QByteArray> headerLines; // as received, in order, without CR LF
        QByteArray body;
        quint16 clientPort = 0; // the same for requests that came over one connection

        QByteArray method() const;
        // The value of the first header of that name (case ignored), without the blanks
        // around it; empty when there is none.
        QByteArray header(const QByteArray& name) const;
    };

    LocalHttpServer();
    ~LocalHttpServer();
    Q_DISABLE_COPY_MOVE(LocalHttpServer)

    // Listens on a free port; false when it cannot. Call it once.
    bool start();
    // "http://127.0.0.1:<port>" followed by the path.
    std::string url(const std::string& path = "/") const;
    void setRoute(const QByteArray& path, const Response& response);
    // The requests received so far, oldest first.
    QList<Request> requests() const;
    void clearRequests();

    // An address on 127.0.0.1 where nothing listens: a request to it cannot connect.
    static std::string unusedAddress(const std::string& path = "/");

private:
    // Both run on the server's thread.
    void acceptConnections();
    void answer(QTcpSocket* socket, const Request& request);

    QThread m_thread;
    QTcpServer* m_server = nullptr; // lives on m_thread, which deletes it when it ends
    quint16 m_port = 0;
    mutable std::mutex m_mutex;
    QMap<QByteArray, Response> m_routes; // guarded by m_mutex
    QList<Request> m_requests; // guarded by m_mutex
};
