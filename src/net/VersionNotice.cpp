#include "VersionNotice.h"

#include "HttpRequest.h"
#include "common/TextPrimitives.h"

#include <optional>

const char* const builtInVersion = "V20220322";
const char* const defaultNoticeAddress = "https://download.lunvexa.com/notice/latest-version.txt";
const char* const downloadPageAddress = "https://download.lunvexa.com/";

namespace {

constexpr int noticeTimeoutSeconds = 15;

// The notice's bytes, or nothing when the download failed.
std::optional<std::string> downloadNotice(const std::string& address)
{
    HttpRequest request;
    request.address = address;
    // A cached copy could hide a new version.
    request.requestHeaders = "Cache-Control: no-cache\r\nPragma: no-cache";
    request.timeoutSeconds = noticeTimeoutSeconds;
    HttpResponse response = httpRequest(request);
    if (response.status < 200 || response.status > 299)
        return std::nullopt;
    return std::move(response.body);
}

} // namespace

std::string publishedVersion(std::string_view notice)
{
    const std::string_view text = notice.substr(0, notice.find('\0'));
    return textBetween(text, "最新版本【", "】");
}

bool checkLatestVersion(const std::string& noticeAddress)
{
    const std::optional<std::string> notice = downloadNotice(noticeAddress);
    if (!notice)
        return false;
    const std::string version = publishedVersion(*notice);
    return !version.empty() && version != builtInVersion;
}
