#pragma once
// Small checks shared by the parsers of outside input (command line, input
// script): strict whole numbers, and text safe to echo in a one-line error.
#include <string>

namespace ReEng {

// Digits only, no sign or spaces, at most max; false otherwise.
bool ParseDigits(const std::string& text, long long max, long long& out);
// An optional sign, then digits; the result fits an int.
bool ParseSignedInt(const std::string& text, int& out);
// Control characters would break a one-line error: each becomes '?'.
std::string Printable(std::string text);

}  // namespace ReEng
