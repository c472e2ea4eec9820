#include "TextPrimitives.h"

#include <algorithm>
#include <cassert>

namespace {

// A lead byte as the last byte is no character: it ends every scan.
bool isLoneLeadByte(std::string_view text, size_t i)
{
    return isLeadByte(text[i]) && i + 1 >= text.size();
}

char foldAscii(char c)
{
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool matchesAt(std::string_view text, size_t i, std::string_view search, bool ignoreCase)
{
    if (i + search.size() > text.size())
        return false;
    // Most positions differ in their first byte; checking it first keeps splitting large texts fast.
    if (!ignoreCase)
        return text[i] == search[0] && text.compare(i, search.size(), search) == 0;
    return equalsIgnoringCase(text.substr(i, search.size()), search);
}

size_t clampedStartIndex(int start)
{
    return start < 1 ? 0 : static_cast<size_t>(start) - 1;
}

template <typename Piece>
std::vector<Piece> splitInto(std::string_view text, std::string_view delimiter)
{
    std::vector<Piece> pieces;
    if (text.empty())
        return pieces;
    if (delimiter.empty()) {
        pieces.emplace_back(text);
        return pieces;
    }
    size_t pieceStart = 0;
    size_t i = 0;
    while (i < text.size() && !isLoneLeadByte(text, i)) {
        if (matchesAt(text, i, delimiter, false)) {
            pieces.emplace_back(text.substr(pieceStart, i - pieceStart));
            i += delimiter.size();
            pieceStart = i;
        } else {
            i += charLength(text, i);
        }
    }
    if (pieceStart < text.size())
        pieces.emplace_back(text.substr(pieceStart));
    return pieces;
}

} // namespace

std::string_view leadingChars(std::string_view text, size_t maxBytes)
{
    size_t end = 0;
    while (end < text.size() && end + charLength(text, end) <= maxBytes)
        end += charLength(text, end);
    return text.substr(0, end);
}

bool equalsIgnoringCase(std::string_view a, std::string_view b)
{
    return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                      [](char x, char y) { return foldAscii(x) == foldAscii(y); });
}

int findText(std::string_view text, std::string_view search, int start, bool ignoreCase)
{
    size_t i = clampedStartIndex(start);
    if (search.empty())
        return i < text.size() ? 1 : -1;
    while (i < text.size() && !isLoneLeadByte(text, i)) {
        if (matchesAt(text, i, search, ignoreCase))
            return static_cast<int>(i) + 1;
        i += charLength(text, i);
    }
    return -1;
}

std::string replaceText(std::string_view text, std::string_view search, std::string_view replacement, int start,
                        int count, bool caseSensitive)
{
    const size_t begin = clampedStartIndex(start);
    if (text.empty() || search.empty() || begin >= text.size() || count == 0)
        return std::string(text);

    std::string result(text.substr(0, begin));
    result.reserve(text.size());
    int replaced = 0;
    size_t i = begin;
    while (i < text.size()) {
        if ((count >= 0 && replaced >= count) || isLoneLeadByte(text, i))
            break;
        if (matchesAt(text, i, search, !caseSensitive)) {
            result += replacement;
            i += search.size();
            ++replaced;
        } else {
            const size_t length = charLength(text, i);
            result += text.substr(i, length);
            i += length;
        }
    }
    result += text.substr(i);
    return result;
}

std::string textLeft(std::string_view text, int n)
{
    if (n <= 0)
        return {};
    return std::string(text.substr(0, static_cast<size_t>(n)));
}

std::string textRight(std::string_view text, int n)
{
    if (n <= 0)
        return {};
    const size_t count = std::min(text.size(), static_cast<size_t>(n));
    return std::string(text.substr(text.size() - count));
}

std::string textMid(std::string_view text, int start, int n)
{
    if (start < 1 || static_cast<size_t>(start) > text.size() || n <= 0)
        return {};
    return std::string(text.substr(static_cast<size_t>(start) - 1, static_cast<size_t>(n)));
}

std::string trimSpaces(std::string_view text)
{
    constexpr std::string_view fullWidthSpace = "\xA1\xA1";
    auto spaceLengthAt = [&](size_t i) -> size_t {
        if (text[i] == ' ')
            return 1;
        return matchesAt(text, i, fullWidthSpace, false) ? 2 : 0;
    };

    size_t begin = 0;
    while (begin < text.size()) {
        const size_t length = spaceLengthAt(begin);
        if (length == 0)
            break;
        begin += length;
    }
    // Walk forward by characters so that a trailing 0xA1 0xA1 is only taken when it is
    // a character of its own, not the tail of another one.
    size_t end = begin;
    for (size_t i = begin; i < text.size();) {
        const size_t space = spaceLengthAt(i);
        const size_t length = space ? space : charLength(text, i);
        i += length;
        if (!space)
            end = i;
    }
    return std::string(text.substr(begin, end - begin));
}

std::vector<std::string> splitText(std::string_view text, std::string_view delimiter)
{
    return splitInto<std::string>(text, delimiter);
}

std::vector<std::string_view> splitTextViews(std::string_view text, std::string_view delimiter)
{
    return splitInto<std::string_view>(text, delimiter);
}

std::string textBetween(std::string_view text, std::string_view leftMarker, std::string_view rightMarker, int start,
                        bool ignoreCase)
{
    const std::string left = replaceText(leftMarker, quotePlaceholder, "\"");
    const std::string right = replaceText(rightMarker, quotePlaceholder, "\"");
    const int p = findText(text, left, start, ignoreCase);
    if (p == -1)
        return {};
    const int contentStart = p + static_cast<int>(left.size());
    const int e = findText(text, right, contentStart, ignoreCase);
    if (e == -1)
        return {};
    return textMid(text, contentStart, e - contentStart);
}

std::string replaceMany(std::string_view text, std::initializer_list<Replacement> pairs, int count, int start,
                        bool caseSensitive)
{
    assert(pairs.size() >= 1 && pairs.size() <= 5);
    std::string result(text);
    for (const Replacement& pair : pairs) {
        if (!pair.find.empty())
            result = replaceText(result, pair.find, pair.replacement, start == 0 ? 1 : start, count, caseSensitive);
    }
    return result;
}

std::string dropLastChars(std::string_view text, int n)
{
    return textLeft(text, static_cast<int>(text.size()) - n);
}

std::string base64Encode(std::string_view bytes)
{
    static constexpr char alphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    std::string out;
    out.reserve((bytes.size() + 2) / 3 * 4);
    for (size_t i = 0; i < bytes.size(); i += 3) {
        const size_t groupSize = std::min<size_t>(3, bytes.size() - i);
        unsigned group = 0;
        for (size_t k = 0; k < 3; ++k) {
            const unsigned byte = k < groupSize ? static_cast<unsigned char>(bytes[i + k]) : 0;
            group = (group << 8) | byte;
        }
        for (size_t k = 0; k < 4; ++k)
            out += k <= groupSize ? alphabet[(group >> (18 - 6 * k)) & 0x3F] : '=';
    }
    return out;
}
