#include "QuestionRow.h"

#include <cstdio>
#include <sstream>

#include <QtGlobal>

namespace {

void writeEscaped(std::ostream& out, const std::string& text)
{
    out << '"';
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte >= 0x20 && byte < 0x7F && c != '"' && c != '\\') {
            out << c;
        } else {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\x%02X", byte);
            out << escaped;
        }
    }
    out << '"';
}

} // namespace

std::ostream& operator<<(std::ostream& out, const QuestionRow& row)
{
    out << '{';
    writeEscaped(out, row.number);
    out << ", ";
    writeEscaped(out, row.question);
    out << ", ";
    writeEscaped(out, row.options);
    out << ", ";
    writeEscaped(out, row.answer);
    return out << '}';
}

char* toString(const QuestionRow& row)
{
    std::ostringstream out;
    out << row;
    return qstrdup(out.str().c_str());
}
