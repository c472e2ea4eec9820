#include "Category.h"

#include "common/GbkCodec.h"

#include <string>

QString bankFilePath(const QString& programDir, std::string_view caption)
{
    std::string fileName = "数据库-";
    fileName += caption;
    fileName += ".csv";
    // A program at the root of the file system has a directory that already ends in "/".
    const QString separator = programDir.endsWith(u'/') ? QString() : QStringLiteral("/");
    return programDir + separator + fromGbk(fileName);
}
