#include "GbkPrinting.h"
#include "LocalHttpServer.h"
#include "net/HttpClient.h"
#include "net/HttpHeaderText.h"
#include "net/HttpRequest.h"

#include <QTest>

#include <string>

using namespace std::string_literals;

// Header lines, one per entry, without CR LF.
using Lines = QList<QByteArray>;

namespace {

const QByteArray userAgentLine = "User-Agent: Mozilla/4.0 (compatible; MSIE 9.0; Windows NT 6.1)";

// The header lines the request itself added: libcurl's Host and Content-Length left out.
Lines addedHeaderLines(const LocalHttpServer::Request& request)
{
    Lines lines;
    for (const QByteArray& line : request.headerLines) {
        if (!line.startsWith("Host:") && !line.startsWith("Content-Length:"))
            lines.append(line);
    }
    return lines;
}

QByteArray cookieLine(const LocalHttpServer::Request& request)
{
    for (const QByteArray& line : request.headerLines) {
        if (line.startsWith("Cookie:"))
            return line;
    }
    return {};
}

LocalHttpServer::Response respond(int status, const Lines& headers, const QByteArray& body = {})
{
    LocalHttpServer::Response response;
    response.status = status;
    response.headers = headers;
    response.body = body;
    return response;
}

} // namespace

class TestHttpRequest final : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();

    void mapsMethodIndex_data();
    void mapsMethodIndex();
    void sendsHeaders_data();
    void sendsHeaders();
    void sendsBody_data();
    void sendsBody();
    void keepsZeroBytesOfResponseBody();
    void sendsAndMergesCookies_data();
    void sendsAndMergesCookies();
    void mergesCookieTexts_data();
    void mergesCookieTexts();
    void keepsFirstPieces();
    void normalisesHeaderNames_data();
    void normalisesHeaderNames();
    void followsRedirects_data();
    void followsRedirects();
    void failedRequestLeavesOutputsEmpty_data();
    void failedRequestLeavesOutputsEmpty();
    void usesProxyCredentials_data();
    void usesProxyCredentials();
    void answersServerChallengeWithCredentials();
    void clientKeepsItsConnection();

private:
    LocalHttpServer m_server;
};

void TestHttpRequest::initTestCase()
{
    QVERIFY(m_server.start());
    m_server.setRoute("/page", respond(200, {}, "page"));
    m_server.setRoute("/bytes", respond(200, {}, QByteArray("a\0b\xFF", 4)));
    m_server.setRoute("/from", respond(302, {"Location: /to"}, "moved"));
    m_server.setRoute("/to", respond(200, {"X-Final: yes"}, "arrived"));
    m_server.setRoute("/secret", respond(401, {"WWW-Authenticate: Basic realm=\"test\""}));
    LocalHttpServer::Response silent;
    silent.silent = true;
    m_server.setRoute("/silent", silent);
}

void TestHttpRequest::init()
{
    m_server.clearRequests();
}

void TestHttpRequest::mapsMethodIndex_data()
{
    QTest::addColumn<int>("methodIndex");
    QTest::addColumn<QByteArray>("method");

    const QByteArray methods[] = {"GET", "POST", "HEAD", "PUT", "OPTIONS", "DELETE", "TRACE", "CONNECT"};
    for (int index = 0; index < 8; ++index)
        QTest::addRow("%d is %s", index, methods[index].constData()) << index << methods[index];
    QTest::newRow("8 falls back to GET") << 8 << QByteArray("GET");
    QTest::newRow("-1 falls back to GET") << -1 << QByteArray("GET");
}

void TestHttpRequest::mapsMethodIndex()
{
    QFETCH(int, methodIndex);
    QFETCH(QByteArray, method);

    HttpRequest request;
    request.address = m_server.url("/page");
    request.methodIndex = methodIndex;
    QCOMPARE(httpRequest(request).status, 200);
    QCOMPARE(m_server.requests().size(), 1);
    QCOMPARE(m_server.requests().first().method(), method);
}

void TestHttpRequest::sendsHeaders_data()
{
    QTest::addColumn<int>("methodIndex");
    QTest::addColumn<std::string>("requestHeaders");
    QTest::addColumn<bool>("addDefaults");
    QTest::addColumn<bool>("normalise");
    QTest::addColumn<Lines>("expected");

    const QByteArray accept = "Accept: */*";
    const QByteArray referer = "Referer: " + QByteArray::fromStdString(m_server.url("/page"));
    const QByteArray language = "Accept-Language: zh-cn";
    const Lines afterAccept = {referer, language, userAgentLine};

    QTest::newRow("defaults in order") << 0 << ""s << true << true << Lines {accept} + afterAccept;
    QTest::newRow("form post adds Content-Type")
        << 1 << ""s << true << true
        << Lines {accept} + afterAccept + Lines {"Content-Type: application/x-www-form-urlencoded"};
    QTest::newRow("caller's accept replaces the default")
        << 0 << "accept: text/html"s << true << true << Lines {"Accept: text/html"} + afterAccept;
    QTest::newRow("X-Accept counts as Accept")
        << 0 << "X-Accept: 1"s << true << true << Lines {"X-Accept: 1"} + afterAccept;
    QTest::newRow("names normalised") << 0 << "x-requested-with: a\r\ncontent-TYPE: x"s << true << true
                                      << Lines {"X-Requested-With: a", "Content-TYPE: x", accept} + afterAccept;
    QTest::newRow("names kept as written")
        << 0 << "x-requested-with: a"s << true << false << Lines {"x-requested-with: a", accept} + afterAccept;
    QTest::newRow("keep-alive left out") << 0 << "Connection: keep-alive\r\nX-A: 1"s << true << true
                                         << Lines {"X-A: 1", accept} + afterAccept;
    QTest::newRow("close kept") << 0 << "Connection: close\r\nX-A: 1"s << true << true
                                << Lines {"Connection: close", "X-A: 1", accept} + afterAccept;
    QTest::newRow("one line without defaults, blanks trimmed")
        << 0 << "x-one:   1  "s << false << false << Lines {"x-one: 1"};
    QTest::newRow("nothing at all") << 0 << ""s << false << false << Lines {};
    QTest::newRow("line without colon dropped")
        << 0 << "garbage\r\nX-A: 1"s << true << true << Lines {"X-A: 1", accept} + afterAccept;
    QTest::newRow("line break inside a value refused")
        << 0 << "X-A: 1\nInjected: 2"s << true << true << Lines {accept} + afterAccept;
}

void TestHttpRequest::sendsHeaders()
{
    QFETCH(int, methodIndex);
    QFETCH(std::string, requestHeaders);
    QFETCH(bool, addDefaults);
    QFETCH(bool, normalise);
    QFETCH(Lines, expected);

    HttpRequest request;
    request.address = m_server.url("/page");
    request.methodIndex = methodIndex;
    request.requestHeaders = requestHeaders;
    request.addDefaultHeaders = addDefaults;
    request.normaliseHeaderNames = normalise;
    httpRequest(request);
    QCOMPARE(m_server.requests().size(), 1);
    QCOMPARE(addedHeaderLines(m_server.requests().first()), expected);
}

void TestHttpRequest::sendsBody_data()
{
    QTest::addColumn<int>("methodIndex");
    QTest::addColumn<std::string>("dataText");
    QTest::addColumn<std::string>("dataBytes");
    QTest::addColumn<QByteArray>("method");
    QTest::addColumn<QByteArray>("body");

    QTest::newRow("text posted") << 1 << "a=1&b=2"s
                                 << ""s << QByteArray("POST") << QByteArray("a=1&b=2");
    QTest::newRow("bytes win over text") << 3 << "text"s
                                         << "by\0tes"s << QByteArray("PUT") << QByteArray("by\0tes", 6);
    QTest::newRow("empty post") << 1 << ""s
                                << ""s << QByteArray("POST") << QByteArray();
    QTest::newRow("GET with a body") << 0 << "q"s
                                     << ""s << QByteArray("GET") << QByteArray("q");
}

void TestHttpRequest::sendsBody()
{
    QFETCH(int, methodIndex);
    QFETCH(std::string, dataText);
    QFETCH(std::string, dataBytes);
    QFETCH(QByteArray, method);
    QFETCH(QByteArray, body);

    HttpRequest request;
    request.address = m_server.url("/page");
    request.methodIndex = methodIndex;
    request.dataText = dataText;
    request.dataBytes = dataBytes;
    httpRequest(request);
    QCOMPARE(m_server.requests().size(), 1);
    QCOMPARE(m_server.requests().first().method(), method);
    QCOMPARE(m_server.requests().first().body, body);
}

void TestHttpRequest::keepsZeroBytesOfResponseBody()
{
    HttpRequest request;
    request.address = m_server.url("/bytes");
    const HttpResponse response = httpRequest(request);
    QCOMPARE(response.status, 200);
    QCOMPARE(response.body, "a\0b\xFF"s);
}

void TestHttpRequest::sendsAndMergesCookies_data()
{
    QTest::addColumn<bool>("cookiesGiven");
    QTest::addColumn<std::string>("cookies");
    QTest::addColumn<Lines>("setCookieLines");
    QTest::addColumn<bool>("merge");
    QTest::addColumn<QByteArray>("sentCookieLine");
    QTest::addColumn<std::string>("cookiesAfter");
    QTest::addColumn<std::string>("responseCookies");

    QTest::newRow("Cookie: removed, not merged")
        << true << "Cookie: a=1; b=2"s << Lines {} << false << QByteArray("Cookie:  a=1; b=2") << " a=1; b=2"s
        << ""s;
    QTest::newRow("Set-Cookie lines read, none sent")
        << false << ""s << Lines {"Set-Cookie: a=1; path=/", "Set-Cookie: b=2"} << true << QByteArray() << ""s
        << "a=1; b=2"s;
    QTest::newRow("deleted cookie dropped") << true << "a=1; c=3"s << Lines {"Set-Cookie: a=9", "Set-Cookie: c=deleted"}
                                            << true << QByteArray("Cookie: a=1; c=3") << "a=9"s
                                            << "a=9"s;
    QTest::newRow("received first, then the rest sent")
        << true << "x=1; y=2"s << Lines {"Set-Cookie: y=5", "Set-Cookie: z=6"} << true << QByteArray("Cookie: x=1; y=2")
        << "y=5; z=6; x=1"s
        << "y=5; z=6; x=1"s;
    QTest::newRow("not merged when merging is off")
        << true << "x=1"s << Lines {"Set-Cookie: y=5"} << false << QByteArray("Cookie: x=1") << "x=1"s
        << "y=5"s;
    QTest::newRow("empty cookies send an empty header")
        << true << ""s << Lines {} << true << QByteArray("Cookie:") << ""s
        << ""s;
}

void TestHttpRequest::sendsAndMergesCookies()
{
    QFETCH(bool, cookiesGiven);
    QFETCH(std::string, cookies);
    QFETCH(Lines, setCookieLines);
    QFETCH(bool, merge);
    QFETCH(QByteArray, sentCookieLine);
    QFETCH(std::string, cookiesAfter);
    QFETCH(std::string, responseCookies);

    m_server.setRoute("/cookies", respond(200, setCookieLines));
    HttpRequest request;
    request.address = m_server.url("/cookies");
    if (cookiesGiven)
        request.cookies = cookies;
    request.mergeCookies = merge;
    const HttpResponse response = httpRequest(request);
    QCOMPARE(m_server.requests().size(), 1);
    QCOMPARE(cookieLine(m_server.requests().first()), sentCookieLine);
    QCOMPARE(response.cookies.has_value(), cookiesGiven);
    QCOMPARE(response.cookies.value_or(""), cookiesAfter);
    QCOMPARE(response.responseCookies, responseCookies);
}

void TestHttpRequest::mergesCookieTexts_data()
{
    QTest::addColumn<std::string>("sent");
    QTest::addColumn<std::string>("received");
    QTest::addColumn<std::string>("merged");

    QTest::newRow("deleted dropped") << "a=1; c=3"s
                                     << "a=9; c=deleted"s
                                     << "a=9"s;
    QTest::newRow("received first") << "x=1; y=2"s
                                    << "y=5; z=6"s
                                    << "y=5; z=6; x=1"s;
    QTest::newRow("trailing semicolons and blanks") << "a=1;"s
                                                    << " b=2; "s
                                                    << "b=2; a=1"s;
    QTest::newRow("repeated piece kept once") << "a=1; a=1"s
                                              << ""s
                                              << "a=1"s;
    QTest::newRow("names compared with case") << "A=1"s
                                              << "a=2"s
                                              << "a=2; A=1"s;
    QTest::newRow("piece without a value") << "flag; a=1"s
                                           << "a=2"s
                                           << "a=2; flag"s;
    QTest::newRow("nothing") << ""s
                             << ""s
                             << ""s;
}

void TestHttpRequest::mergesCookieTexts()
{
    QFETCH(std::string, sent);
    QFETCH(std::string, received);
    QFETCH(std::string, merged);
    QCOMPARE(mergeCookies(sent, received), merged);
}

void TestHttpRequest::keepsFirstPieces()
{
    QCOMPARE(uniquePieces("a; b; a; c; b", "; "), "a; b; c"s);
    QCOMPARE(uniquePieces("a|A|a", "|"), "a|A"s);
}

void TestHttpRequest::normalisesHeaderNames_data()
{
    QTest::addColumn<std::string>("headers");
    QTest::addColumn<std::string>("normalised");

    QTest::newRow("each piece capitalised") << "x-requested-with: a"s
                                            << "X-Requested-With: a"s;
    QTest::newRow("other letters keep their case") << "content-TYPE: x"s
                                                   << "Content-TYPE: x"s;
    QTest::newRow("one word") << "accept: text/html"s
                              << "Accept: text/html"s;
    QTest::newRow("value untouched") << "a: b-c: d"s
                                     << "A: b-c: d"s;
    QTest::newRow("name ending in a dash") << "x-: 1"s
                                           << "X-: 1"s;
    QTest::newRow("lines without colon dropped") << "\r\nnone\r\nhost: h\r\nx: 1"s
                                                 << "Host: h\r\nX: 1"s;
}

void TestHttpRequest::normalisesHeaderNames()
{
    QFETCH(std::string, headers);
    QFETCH(std::string, normalised);
    QCOMPARE(normaliseHeaderNames(headers), normalised);
}

void TestHttpRequest::followsRedirects_data()
{
    QTest::addColumn<bool>("noRedirects");
    QTest::addColumn<int>("status");
    QTest::addColumn<std::string>("body");
    QTest::addColumn<std::string>("headers");

    QTest::newRow("followed: final response only") << false << 200 << "arrived"s
                                                   << "X-Final: yes\r\nContent-Length: 7\r\n"s;
    QTest::newRow("not followed") << true << 302 << "moved"s
                                  << "Location: /to\r\nContent-Length: 5\r\n"s;
}

void TestHttpRequest::followsRedirects()
{
    QFETCH(bool, noRedirects);
    QFETCH(int, status);
    QFETCH(std::string, body);
    QFETCH(std::string, headers);

    HttpRequest request;
    request.address = m_server.url("/from");
    request.noRedirects = noRedirects;
    const HttpResponse response = httpRequest(request);
    QCOMPARE(response.status, status);
    QCOMPARE(response.body, body);
    QCOMPARE(response.headers, headers);
}

void TestHttpRequest::failedRequestLeavesOutputsEmpty_data()
{
    QTest::addColumn<std::string>("address");
    QTest::addColumn<int>("timeoutSeconds");

    QTest::newRow("server silent past the time-out") << m_server.url("/silent") << 1;
    QTest::newRow("nothing listening") << LocalHttpServer::unusedAddress() << 0;
}

void TestHttpRequest::failedRequestLeavesOutputsEmpty()
{
    QFETCH(std::string, address);
    QFETCH(int, timeoutSeconds);

    HttpRequest request;
    request.address = address;
    request.timeoutSeconds = timeoutSeconds;
    request.cookies = "Cookie: a=1";
    const HttpResponse response = httpRequest(request);
    QCOMPARE(response.status, 0);
    QCOMPARE(response.body, ""s);
    QCOMPARE(response.headers, ""s);
    QCOMPARE(response.responseCookies, ""s);
    QCOMPARE(response.cookies.value_or("not given"), " a=1"s);
}

void TestHttpRequest::usesProxyCredentials_data()
{
    QTest::addColumn<bool>("throughProxy");
    QTest::addColumn<int>("credentialTarget");
    QTest::addColumn<QByteArray>("proxyAuthorization");

    QTest::newRow("proxy credentials sent at once") << true << 1 << QByteArray("Basic dXNlcjpwYXNz");
    QTest::newRow("server credentials kept from the proxy") << true << 0 << QByteArray();
    QTest::newRow("credentials unused without a proxy") << false << 1 << QByteArray();
}

void TestHttpRequest::usesProxyCredentials()
{
    QFETCH(bool, throughProxy);
    QFETCH(int, credentialTarget);
    QFETCH(QByteArray, proxyAuthorization);

    HttpRequest request;
    // Through the proxy the target is a loopback port where nothing listens: only the proxy
    // can answer.
    request.address = throughProxy ? LocalHttpServer::unusedAddress("/page") : m_server.url("/page");
    if (throughProxy)
        request.proxy = m_server.url("");
    request.userName = "user";
    request.password = "pass";
    request.credentialTarget = credentialTarget;
    QCOMPARE(httpRequest(request).status, 200);
    QCOMPARE(m_server.requests().size(), 1);
    const LocalHttpServer::Request sent = m_server.requests().first();
    QCOMPARE(sent.requestLine.startsWith("GET http://"), throughProxy);
    QCOMPARE(sent.header("Proxy-Authorization"), proxyAuthorization);
    QCOMPARE(sent.header("Authorization"), QByteArray());
}

void TestHttpRequest::answersServerChallengeWithCredentials()
{
    HttpRequest request;
    request.address = LocalHttpServer::unusedAddress("/secret");
    request.proxy = m_server.url("");
    request.userName = "user";
    request.password = "pass";
    request.credentialTarget = 0;
    QCOMPARE(httpRequest(request).status, 401);
    const QList<LocalHttpServer::Request> sent = m_server.requests();
    QCOMPARE(sent.size(), 2);
    QCOMPARE(sent.first().header("Authorization"), QByteArray());
    QCOMPARE(sent.last().header("Authorization"), QByteArray("Basic dXNlcjpwYXNz"));
}

void TestHttpRequest::clientKeepsItsConnection()
{
    HttpClient client;
    HttpRequest onClient;
    onClient.address = m_server.url("/page");
    onClient.client = &client;
    HttpRequest fresh;
    fresh.address = m_server.url("/page");
    for (const HttpRequest* request : {&onClient, &onClient, &fresh, &fresh})
        QCOMPARE(httpRequest(*request).status, 200);

    const QList<LocalHttpServer::Request> sent = m_server.requests();
    QCOMPARE(sent.size(), 4);
    QCOMPARE(sent[1].clientPort, sent[0].clientPort);
    QVERIFY(sent[3].clientPort != sent[2].clientPort);
}

QTEST_GUILESS_MAIN(TestHttpRequest)
#include "TestHttpRequest.moc"
