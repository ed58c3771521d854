#pragma once
// Small checks shared by the parsers of outside input (command line, input
// script): strict whole numbers, and text safe to echo in a one-line error.
#include <string>

namespace ReEng {

// Digits only, no sign or spaces, at most max; false otherwise.
bool ParseDigits(const std::string& text, long long max, long long& out);
// An optional sign, then digits; the result fits an int.
bool ParseSignedInt(const std::string& text, int& out);
// A plain decimal number (digits, a point, an exponent; no sign, space,
// "inf", "nan" or hex) from min to max.
bool ParseDecimal(const std::string& text, double min, double max, double& out);
// Text safe to echo on a terminal in a one-line error: every byte that is
// not printable ASCII becomes \\xHH, so no control sequence (C0, DEL, or a
// UTF-8 encoded C1 such as CSI) reaches the terminal.
std::string Printable(const std::string& text);
// The same for a token from a file, cut to its first few bytes with "..."
// after them: a bad token can be megabytes long.
std::string Excerpt(const std::string& text);

}  // namespace ReEng
