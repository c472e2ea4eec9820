#include "GbkPrinting.h"

#include <sstream>

namespace {

std::string escaped(const std::string& text)
{
    std::string out = "\"";
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte >= 0x20 && byte < 0x7F && c != '"' && c != '\\') {
            out += c;
        } else {
            static constexpr char digits[] = "0123456789ABCDEF";
            out += {'\\', 'x', digits[byte >> 4], digits[byte & 0xF]};
        }
    }
    return out + '"';
}

template <typename Item, typename Print> char* listText(const std::vector<Item>& items, Print print)
{
    std::ostringstream out;
    out << '[';
    for (const Item& item : items)
        out << "\n  " << print(item);
    out << " ]";
    return qstrdup(out.str().c_str());
}

} // namespace

namespace QTest {
template <> char* toString(const std::string& text)
{
    return qstrdup(escaped(text).c_str());
}

template <> char* toString(const std::vector<std::string>& texts)
{
    return listText(texts, escaped);
}

template <> char* toString(const std::vector<QuestionRow>& rows)
{
    return listText(rows, [](const QuestionRow& row) {
        std::ostringstream out;
        out << row;
        return out.str();
    });
}
} // namespace QTest
