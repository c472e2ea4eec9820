#pragma once

#include <QTest>

#include <string>
#include <vector>

// Failure output for GBK byte strings: printable ASCII as it is, every other byte as \xNN.
namespace QTest {
template <>
char* toString(const std::string& text);
template <>
char* toString(const std::vector<std::string>& texts);
} // namespace QTest
