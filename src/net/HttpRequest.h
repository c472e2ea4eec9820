#pragma once

// One blocking HTTP or HTTPS request through libcurl. Certificates are always verified.

#include <optional>
#include <string>

class HttpClient;

// The values of HttpRequest::methodIndex, in the order of their index.
enum HttpMethod : int { httpGet, httpPost, httpHead, httpPut, httpOptions, httpDelete, httpTrace, httpConnect };

// What to send. Every field but the address has the value a caller normally wants.
struct HttpRequest
{
    std::string address;
    // 0 GET, 1 POST, 2 HEAD, 3 PUT, 4 OPTIONS, 5 DELETE, 6 TRACE, 7 CONNECT; any other value GET.
    int methodIndex = 0;
    // The body, when dataBytes is empty.
    std::string dataText;
    // name=value pieces separated by "; ". Only when given is a Cookie header sent (also an
    // empty one) and are the response's cookies merged in; "Cookie:" inside it is removed.
    std::optional<std::string> cookies;
    // Extra "Name: value" lines separated by CR LF.
    std::string requestHeaders;
    bool noRedirects = false;
    // The body as bytes; sent instead of dataText when not empty.
    std::string dataBytes;
    // The proxy as libcurl takes it ("host:port"); empty means no proxy, whatever the
    // environment says.
    std::string proxy;
    // Seconds allowed for each phase: name resolution and connection together, then sending
    // and receiving without progress. Below 1 means 15; -1 keeps libcurl's own limits.
    int timeoutSeconds = 0;
    // Credentials, used only together with a proxy: for the server (target 0) or for the
    // proxy (target 1, which also sends them at once as Basic Proxy-Authorization).
    std::string userName;
    std::string password;
    int credentialTarget = 1;
    // A client that keeps its connections from one request to the next; none: a fresh one.
    HttpClient* client = nullptr;
    bool mergeCookies = true;
    bool addDefaultHeaders = true;
    bool normaliseHeaderNames = true;
};

// What came back. A request that got no response leaves status 0 and empty texts.
struct HttpResponse
{
    std::string body;
    // The final response's headers, one "Name: value" line each, every line ending in CR LF.
    std::string headers;
    int status = 0;
    // The cookies the response sets, as name=value pieces separated by "; "; merged with the
    // sent cookies when merging applies.
    std::string responseCookies;
    // The request's cookies afterwards: the text sent, or the merged cookies.
    std::optional<std::string> cookies;
};

// Blocks until the response is complete or the request has failed. Safe to call on any thread.
HttpResponse httpRequest(const HttpRequest& request);
