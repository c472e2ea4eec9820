#pragma once

#include <string_view>

// The integer a text starts with, as typed into the number box or stored in the draw pool:
// leading white space, an optional sign and the decimal digits after it. Full-width digits and
// signs count as their half-width forms. Whatever follows the digits is ignored, a text without
// digits gives 0, and a value beyond the range of int is clamped to it.
int integerValue(std::string_view text);
