#pragma once

#include "bank/QuestionRow.h"

#include <QTest>

#include <string>
#include <vector>

// Failure output for GBK byte strings and row lists, shared by the tests: printable ASCII as it is, every other
// byte as \xNN, so a failed comparison shows the differing bytes.
namespace QTest {
template <> char* toString(const std::string& text);
template <> char* toString(const std::vector<std::string>& texts);
template <> char* toString(const std::vector<QuestionRow>& rows);
} // namespace QTest

using Rows = std::vector<QuestionRow>;
using Texts = std::vector<std::string>;
Q_DECLARE_METATYPE(Rows)
Q_DECLARE_METATYPE(Texts)
