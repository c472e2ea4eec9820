#include "GbkPrinting.h"

namespace {

QByteArray escaped(const std::string& text)
{
    QByteArray out = "\"";
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte >= 0x20 && byte < 0x7F && c != '\\')
            out += c;
        else
            out += "\\x" + QByteArray::number(byte, 16).rightJustified(2, '0');
    }
    return out + "\"";
}

} // namespace

namespace QTest {
template <>
char* toString(const std::string& text)
{
    return qstrdup(escaped(text));
}

template <>
char* toString(const std::vector<std::string>& texts)
{
    QByteArray joined = "[";
    for (const std::string& text : texts)
        joined += " " + escaped(text);
    return qstrdup(joined + " ]");
}
} // namespace QTest
