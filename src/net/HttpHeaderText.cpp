#include "HttpHeaderText.h"

#include "common/TextPrimitives.h"

#include <algorithm>
#include <vector>

namespace {

constexpr std::string_view lineBreak = "\r\n";
constexpr std::string_view cookieDelimiter = "; ";

std::string joinPieces(const std::vector<std::string>& pieces, std::string_view delimiter)
{
    std::string joined;
    for (size_t i = 0; i < pieces.size(); ++i) {
        if (i > 0)
            joined += delimiter;
        joined += pieces[i];
    }
    return joined;
}

char upperAscii(char c)
{
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

std::string capitalised(std::string piece)
{
    if (!piece.empty())
        piece[0] = upperAscii(piece[0]);
    return piece;
}

// A trailing ";" becomes "; " so that splitting at "; " sees it as a delimiter.
std::string cookieText(std::string_view text)
{
    std::string trimmed = trimSpaces(text);
    if (!trimmed.empty() && trimmed.back() == ';')
        trimmed += ' ';
    return trimmed;
}

bool namesCookie(const std::vector<std::string>& pieces, const std::string& name)
{
    return std::any_of(
        pieces.begin(), pieces.end(), [&](const std::string& piece) { return cookieName(piece) == name; });
}

} // namespace

std::string headerName(std::string_view line)
{
    const int colon = findText(line, ":");
    return colon == -1 ? std::string() : trimSpaces(textLeft(line, colon - 1));
}

std::string headerValue(std::string_view line)
{
    const int colon = findText(line, ":");
    return colon == -1 ? std::string() : trimSpaces(line.substr(static_cast<size_t>(colon)));
}

std::string cookieName(std::string_view piece)
{
    const int equals = findText(piece, "=");
    return trimSpaces(equals == -1 ? piece : piece.substr(0, static_cast<size_t>(equals) - 1));
}

std::string normaliseHeaderNames(std::string_view headers)
{
    std::vector<std::string> lines;
    for (std::string_view line : splitTextViews(headers, lineBreak)) {
        const int colon = findText(line, ":");
        if (colon == -1)
            continue;
        const std::string_view name = line.substr(0, static_cast<size_t>(colon) - 1);
        std::string newName;
        if (findText(name, "-") != -1) {
            std::vector<std::string> pieces = splitText(name, "-");
            std::transform(pieces.begin(), pieces.end(), pieces.begin(), capitalised);
            newName = joinPieces(pieces, "-");
        } else {
            newName = capitalised(std::string(name));
        }
        // A name that ends in "-" loses it in the split; the bytes taken from the line's end
        // bring it back.
        lines.push_back(newName + textRight(line, static_cast<int>(line.size() - newName.size())));
    }
    return joinPieces(lines, lineBreak);
}

std::string withDefaultHeaders(std::string_view headers, std::string_view address, bool isPost)
{
    struct DefaultHeader
    {
        std::string_view lookedFor;
        std::string line;
    };
    const DefaultHeader defaults[] = {
        {"Accept:", "Accept: */*"},
        {"Referer:", "Referer: " + std::string(address)},
        {"Accept-Language:", "Accept-Language: zh-cn"},
        {"User-Agent:", "User-Agent: Mozilla/4.0 (compatible; MSIE 9.0; Windows NT 6.1)"},
    };
    std::string result(headers);
    auto addUnlessNamed = [&](std::string_view lookedFor, std::string_view line) {
        if (findText(result, lookedFor, 1, true) == -1)
            result.append(lineBreak).append(line);
    };
    for (const DefaultHeader& header : defaults)
        addUnlessNamed(header.lookedFor, header.line);
    if (isPost)
        addUnlessNamed("Content-Type:", "Content-Type: application/x-www-form-urlencoded");
    return result;
}

std::string responseCookies(std::string_view headers)
{
    std::vector<std::string> cookies;
    for (std::string_view line : splitTextViews(headers, lineBreak)) {
        const int separator = findText(line, ": ");
        if (separator == -1 || line.substr(0, static_cast<size_t>(separator) - 1) != "Set-Cookie")
            continue;
        if (findText(line, ";") != -1)
            cookies.push_back(trimSpaces(textBetween(line, "Set-Cookie:", ";")));
        else
            cookies.push_back(trimSpaces(replaceText(line, "Set-Cookie:", {}, 1, -1, false)));
    }
    return joinPieces(cookies, cookieDelimiter);
}

std::string mergeCookies(std::string_view sent, std::string_view received)
{
    const std::vector<std::string> sentPieces = splitText(cookieText(sent), cookieDelimiter);
    std::vector<std::string> merged = splitText(cookieText(received), cookieDelimiter);
    for (const std::string& piece : sentPieces) {
        if (!namesCookie(merged, cookieName(piece)))
            merged.push_back(piece);
    }
    std::erase_if(merged, [](const std::string& piece) { return textRight(piece, 8) == "=deleted"; });
    return uniquePieces(joinPieces(merged, cookieDelimiter), cookieDelimiter);
}

std::string uniquePieces(std::string_view text, std::string_view delimiter)
{
    std::vector<std::string> kept;
    for (std::string& piece : splitText(text, delimiter)) {
        if (std::find(kept.begin(), kept.end(), piece) == kept.end())
            kept.push_back(std::move(piece));
    }
    return joinPieces(kept, delimiter);
}
