#include "HttpClient.h"

#include "HttpHeaderText.h"
#include "common/TextPrimitives.h"

#include <curl/curl.h>

#include <algorithm>
#include <array>
#include <memory>
#include <string_view>
#include <vector>

namespace {

// Indexed by HttpMethod.
constexpr std::array<const char*, 8> methodNames
    = {"GET", "POST", "HEAD", "PUT", "OPTIONS", "DELETE", "TRACE", "CONNECT"};
constexpr long defaultTimeoutSeconds = 15;
constexpr long maxRedirects = 10;
constexpr std::string_view lineBreak = "\r\n";

constexpr int serverCredentials = 0;
constexpr int proxyCredentials = 1;

void initialiseCurl()
{
    static std::once_flag once;
    std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

struct HeaderListDeleter
{
    void operator()(curl_slist* list) const { curl_slist_free_all(list); }
};
using HeaderList = std::unique_ptr<curl_slist, HeaderListDeleter>;

bool isTokenChar(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9')
        || std::string_view("!#$%&'*+-.^_`|~").find(c) != std::string_view::npos;
}

// Header lines in the form libcurl's lists take. A header that could not travel as one line
// (an empty or invalid name, a line break or zero byte in the value) is left out.
class HeaderLines final
{
public:
    void add(std::string_view name, std::string_view value)
    {
        if (name.empty() || !std::all_of(name.begin(), name.end(), isTokenChar)
            || value.find_first_of(std::string_view("\r\n\0", 3)) != std::string_view::npos)
            return;
        m_names.emplace_back(name);
        // libcurl reads "Name:" as "drop this header" and sends "Name;" as an empty one.
        m_lines.push_back(std::string(name) + (value.empty() ? ";" : ": " + std::string(value)));
    }

    // Keeps libcurl from adding a header of that name on its own.
    void suppressUnlessNamed(std::string_view name)
    {
        if (std::none_of(m_names.begin(), m_names.end(), [&](const std::string& n) { return equalsIgnoringCase(n, name); }))
            m_lines.push_back(std::string(name) + ":");
    }

    HeaderList list() const
    {
        HeaderList list;
        for (const std::string& line : m_lines) {
            curl_slist* head = curl_slist_append(list.get(), line.c_str());
            if (!head)
                break;
            list.release();
            list.reset(head);
        }
        return list;
    }

private:
    std::vector<std::string> m_names;
    std::vector<std::string> m_lines;
};

size_t receiveBody(char* data, size_t size, size_t count, void* body)
{
    static_cast<std::string*>(body)->append(data, size * count);
    return size * count;
}

// libcurl hands over the header lines of every response, redirects and interim answers
// included; a status line starts a new response, so only the final one's lines stay.
size_t receiveHeaderLine(char* data, size_t size, size_t count, void* headers)
{
    auto& text = *static_cast<std::string*>(headers);
    std::string_view line(data, size * count);
    if (line.starts_with("HTTP/")) {
        text.clear();
        return size * count;
    }
    while (!line.empty() && (line.back() == '\n' || line.back() == '\r'))
        line.remove_suffix(1);
    if (!line.empty())
        text.append(line).append(lineBreak);
    return size * count;
}

void setTransportOptions(CURL* curl)
{
    // Requests run on worker threads, where a signal for a name-resolution time-out is unsafe.
    curl_easy_setopt(curl, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(curl, CURLOPT_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(curl, CURLOPT_REDIR_PROTOCOLS_STR, "http,https");
    // Header names keep their case and "Connection" means something only in HTTP/1.1.
    curl_easy_setopt(curl, CURLOPT_HTTP_VERSION, static_cast<long>(CURL_HTTP_VERSION_1_1));
    curl_easy_setopt(curl, CURLOPT_SSL_VERIFYPEER, 1L);
    curl_easy_setopt(curl, CURLOPT_SSL_VERIFYHOST, 2L);
    curl_easy_setopt(curl, CURLOPT_SUPPRESS_CONNECT_HEADERS, 1L);
}

void setTimeouts(CURL* curl, int timeoutSeconds)
{
    if (timeoutSeconds == -1)
        return;
    const long seconds = timeoutSeconds < 1 ? defaultTimeoutSeconds : timeoutSeconds;
    curl_easy_setopt(curl, CURLOPT_CONNECTTIMEOUT_MS, seconds * 1000);
    // Sending and receiving give up after that long without progress, as a per-phase limit
    // does; a long download that keeps moving is not cut off.
    curl_easy_setopt(curl, CURLOPT_LOW_SPEED_LIMIT, 1L);
    curl_easy_setopt(curl, CURLOPT_LOW_SPEED_TIME, seconds);
}

// The body must outlive the transfer: libcurl does not copy it.
void setMethod(CURL* curl, int methodIndex, const std::string& body)
{
    if (methodIndex == httpHead) {
        curl_easy_setopt(curl, CURLOPT_NOBODY, 1L);
        return;
    }
    const bool sendsBody = methodIndex == httpPost || !body.empty();
    if (sendsBody) {
        curl_easy_setopt(curl, CURLOPT_POSTFIELDSIZE_LARGE, static_cast<curl_off_t>(body.size()));
        curl_easy_setopt(curl, CURLOPT_POSTFIELDS, body.data());
    }
    // libcurl sends a body as a POST and makes a GET otherwise; other methods are named.
    if (sendsBody ? methodIndex != httpPost : methodIndex != httpGet)
        curl_easy_setopt(curl, CURLOPT_CUSTOMREQUEST, methodNames[static_cast<size_t>(methodIndex)]);
}

void setCredentials(CURL* curl, const HttpRequest& request, HeaderLines& proxyHeaders)
{
    if (request.proxy.empty() || request.userName.empty())
        return;
    if (request.credentialTarget == serverCredentials) {
        curl_easy_setopt(curl, CURLOPT_USERNAME, request.userName.c_str());
        curl_easy_setopt(curl, CURLOPT_PASSWORD, request.password.c_str());
        curl_easy_setopt(curl, CURLOPT_HTTPAUTH, CURLAUTH_ANY);
    } else if (request.credentialTarget == proxyCredentials) {
        curl_easy_setopt(curl, CURLOPT_PROXYUSERNAME, request.userName.c_str());
        curl_easy_setopt(curl, CURLOPT_PROXYPASSWORD, request.password.c_str());
        curl_easy_setopt(curl, CURLOPT_PROXYAUTH, CURLAUTH_ANY);
        proxyHeaders.add("Proxy-Authorization", "Basic " + base64Encode(request.userName + ":" + request.password));
    }
}

// The caller's header lines with the defaults added and the names normalised as asked.
std::string requestHeaderText(const HttpRequest& request, int methodIndex)
{
    std::string headers = request.requestHeaders;
    if (request.addDefaultHeaders)
        headers = withDefaultHeaders(headers, request.address, methodIndex == httpPost);
    if (request.normaliseHeaderNames)
        headers = normaliseHeaderNames(headers);
    return headers;
}

// A one-line text is sent as it is. Among several lines, "Connection: keep-alive" is left
// out: HTTP/1.1 keeps the connection open anyway.
void addHeaderLines(HeaderLines& lines, std::string_view headers)
{
    if (findText(headers, lineBreak) == -1) {
        lines.add(headerName(headers), headerValue(headers));
        return;
    }
    for (std::string_view line : splitTextViews(headers, lineBreak)) {
        if (line.empty())
            continue;
        const std::string name = headerName(line);
        const std::string value = headerValue(line);
        if (name != "Connection" || value != "keep-alive")
            lines.add(name, value);
    }
}

} // namespace

HttpClient::HttpClient()
{
    initialiseCurl();
    m_handle = curl_easy_init();
}

HttpClient::~HttpClient()
{
    curl_easy_cleanup(m_handle);
}

HttpResponse HttpClient::send(const HttpRequest& request)
{
    HttpResponse response;
    response.cookies = request.cookies;
    std::lock_guard lock(m_mutex);
    CURL* curl = m_handle;
    if (!curl)
        return response;
    // Options of an earlier request go; open connections stay.
    curl_easy_reset(curl);

    const bool knownMethod = request.methodIndex >= 0 && request.methodIndex < static_cast<int>(methodNames.size());
    const int methodIndex = knownMethod ? request.methodIndex : httpGet;
    const std::string& body = request.dataBytes.empty() ? request.dataText : request.dataBytes;

    curl_easy_setopt(curl, CURLOPT_URL, request.address.c_str());
    setTransportOptions(curl);
    setTimeouts(curl, request.timeoutSeconds);
    // An empty proxy also keeps libcurl from taking one from the environment.
    curl_easy_setopt(curl, CURLOPT_PROXY, request.proxy.c_str());
    setMethod(curl, methodIndex, body);
    if (!request.noRedirects) {
        curl_easy_setopt(curl, CURLOPT_FOLLOWLOCATION, 1L);
        curl_easy_setopt(curl, CURLOPT_MAXREDIRS, maxRedirects);
    }

    HeaderLines serverHeaders;
    HeaderLines proxyHeaders;
    setCredentials(curl, request, proxyHeaders);
    if (response.cookies) {
        *response.cookies = replaceText(*response.cookies, "Cookie:", {}, 1, -1, false);
        serverHeaders.add("Cookie", *response.cookies);
    }
    addHeaderLines(serverHeaders, requestHeaderText(request, methodIndex));
    // The server sees the headers asked for, not libcurl's additions of the same kind.
    for (std::string_view name : {"Accept", "Content-Type", "Expect"})
        serverHeaders.suppressUnlessNamed(name);
    const HeaderList serverList = serverHeaders.list();
    const HeaderList proxyList = proxyHeaders.list();
    // Proxy credentials go to the proxy only, never through a tunnel to the server.
    curl_easy_setopt(curl, CURLOPT_HEADEROPT, static_cast<long>(CURLHEADER_SEPARATE));
    curl_easy_setopt(curl, CURLOPT_HTTPHEADER, serverList.get());
    curl_easy_setopt(curl, CURLOPT_PROXYHEADER, proxyList.get());

    std::string receivedBody;
    std::string receivedHeaders;
    curl_easy_setopt(curl, CURLOPT_WRITEFUNCTION, receiveBody);
    curl_easy_setopt(curl, CURLOPT_WRITEDATA, &receivedBody);
    curl_easy_setopt(curl, CURLOPT_HEADERFUNCTION, receiveHeaderLine);
    curl_easy_setopt(curl, CURLOPT_HEADERDATA, &receivedHeaders);

    if (curl_easy_perform(curl) != CURLE_OK)
        return response;

    long status = 0;
    curl_easy_getinfo(curl, CURLINFO_RESPONSE_CODE, &status);
    response.status = static_cast<int>(status);
    response.body = std::move(receivedBody);
    response.headers = std::move(receivedHeaders);
    response.responseCookies = responseCookies(response.headers);
    if (request.mergeCookies && response.cookies) {
        response.responseCookies = mergeCookies(*response.cookies, response.responseCookies);
        response.cookies = response.responseCookies;
    }
    return response;
}
