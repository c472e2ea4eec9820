#pragma once

// The one place where the program's GBK bytes meet Qt's UTF-16 text: widgets, the clipboard
// and the regular-expression engine. Bytes that are not valid GBK show as U+FFFD; a character
// with no GBK form becomes "?".

#include <QString>

#include <string>
#include <string_view>

QString fromGbk(std::string_view bytes);
std::string toGbk(const QString& text);
