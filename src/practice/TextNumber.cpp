#include "TextNumber.h"

#include "common/TextPrimitives.h"

#include <algorithm>
#include <cstddef>
#include <limits>

namespace {

// The half-width form of the character at i and its length in bytes; 0 for any other
// character. In GBK the full-width digits are 0xA3 0xB0 to 0xA3 0xB9, plus 0xA3 0xAB and
// minus 0xA3 0xAD.
struct Folded
{
    char ascii = 0;
    std::size_t length = 0;
};

Folded foldedAt(std::string_view text, std::size_t i)
{
    if (!isLeadByte(text[i]))
        return {text[i], 1};
    if (static_cast<unsigned char>(text[i]) != 0xA3 || i + 1 >= text.size())
        return {};
    const auto trail = static_cast<unsigned char>(text[i + 1]);
    if (trail >= 0xB0 && trail <= 0xB9)
        return {static_cast<char>('0' + (trail - 0xB0)), 2};
    if (trail == 0xAB)
        return {'+', 2};
    if (trail == 0xAD)
        return {'-', 2};
    return {};
}

bool isWhiteSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

} // namespace

int integerValue(std::string_view text)
{
    std::size_t i = 0;
    while (i < text.size() && isWhiteSpace(text[i]))
        ++i;

    bool negative = false;
    if (i < text.size()) {
        const Folded sign = foldedAt(text, i);
        if (sign.ascii == '+' || sign.ascii == '-') {
            negative = sign.ascii == '-';
            i += sign.length;
        }
    }

    // Capped just beyond the range of int, so a long run of digits cannot overflow.
    constexpr long long limit = static_cast<long long>(std::numeric_limits<int>::max()) + 1;
    long long magnitude = 0;
    while (i < text.size()) {
        const Folded digit = foldedAt(text, i);
        if (digit.ascii < '0' || digit.ascii > '9')
            break;
        magnitude = std::min(magnitude * 10 + (digit.ascii - '0'), limit);
        i += digit.length;
    }
    const long long value = negative ? -magnitude : magnitude;
    return static_cast<int>(std::clamp<long long>(value, std::numeric_limits<int>::min(),
                                                  std::numeric_limits<int>::max()));
}
