#include "engine/TextParse.h"

#include <climits>

namespace ReEng {

bool ParseDigits(const std::string& text, long long max, long long& out) {
    if (text.empty()) return false;
    long long value = 0;
    for (char c : text) {
        if (c < '0' || c > '9') return false;
        const int digit = c - '0';
        if (value > (max - digit) / 10) return false;
        value = value * 10 + digit;
    }
    out = value;
    return true;
}

bool ParseSignedInt(const std::string& text, int& out) {
    const bool hasSign = !text.empty() && (text[0] == '-' || text[0] == '+');
    const bool negative = hasSign && text[0] == '-';
    long long magnitude = 0;
    const long long max = negative ? -static_cast<long long>(INT_MIN) : INT_MAX;
    if (!ParseDigits(text.substr(hasSign ? 1 : 0), max, magnitude)) return false;
    out = static_cast<int>(negative ? -magnitude : magnitude);
    return true;
}

std::string Printable(std::string text) {
    for (char& c : text) {
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7f) c = '?';
    }
    return text;
}

}  // namespace ReEng
