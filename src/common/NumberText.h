#pragma once

#include <string>

// Every number the program shows becomes text here.

// Plain decimal digits, a minus sign when negative, no grouping.
std::string integerText(long long value);

// At most 13 significant digits, no trailing zeros and no trailing point: 100, 12.5, 66.67.
std::string decimalText(double value);
