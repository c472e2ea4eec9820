#pragma once

#include <QString>

#include <array>
#include <string_view>

// A subject category: one radio button of the window. Its caption names the bank file.
struct Category
{
    std::string_view caption; // GBK
    bool wrongAnswers = false; // no bank file: the questions come from the wrong-answer list
};

// In the order of the radio buttons; the last one is the wrong-answer category.
inline constexpr std::array<Category, 6> categories = {{
    {"安全管理"},
    {"法律法规"},
    {"安全技术机械设备"},
    {"安全技术土建综合"},
    {"题库综合"},
    {"已答错题", true},
}};

// The bank file of a category: "数据库-" + caption + ".csv" in the program's directory.
// The directory is passed in (the window gives QCoreApplication::applicationDirPath()), so the
// current directory never matters.
QString bankFilePath(const QString& programDir, std::string_view caption);
