#pragma once

#include <QMetaType>

#include <ostream>
#include <string>

// One question: four GBK texts.
struct QuestionRow
{
    std::string number;
    std::string question;
    std::string options; // option texts separated by five spaces
    std::string answer;  // the correct option texts joined by "|"

    friend bool operator==(const QuestionRow&, const QuestionRow&) = default;
};

// Prints the row with its bytes escaped, so test failures show the difference.
std::ostream& operator<<(std::ostream& out, const QuestionRow& row);
char* toString(const QuestionRow& row); // for QCOMPARE

Q_DECLARE_METATYPE(QuestionRow)
