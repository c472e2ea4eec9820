#include "NumberText.h"

#include <cmath>
#include <cstdio>

std::string integerText(long long value)
{
    return std::to_string(value);
}

std::string decimalText(double value)
{
    if (!std::isfinite(value))
        return "0";
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.13g", value);
    std::string text = buffer;
    if (text.find('e') == std::string::npos)
        return text == "-0" ? "0" : text;

    // Very large or very small values: write them positionally instead of with an exponent.
    const int exponent = static_cast<int>(std::floor(std::log10(std::fabs(value))));
    const int decimals = std::max(0, 12 - exponent);
    std::snprintf(buffer, sizeof buffer, "%.*f", std::min(decimals, 40), value);
    text = buffer;
    if (text.find('.') != std::string::npos) {
        text.erase(text.find_last_not_of('0') + 1);
        if (text.back() == '.')
            text.pop_back();
    }
    return text;
}
