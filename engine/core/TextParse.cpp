#include "engine/core/TextParse.h"

#include <cctype>
#include <cerrno>
#include <climits>
#include <cstdlib>

namespace ReEng {

bool ParseDigits(const std::string& text, long long max, long long& out) {
    if (text.empty()) return false;
    long long value = 0;
    for (char c : text) {
        if (c < '0' || c > '9') return false;
        const int digit = c - '0';
        if (value > max / 10 || (value == max / 10 && digit > max % 10)) return false;
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

bool ParseDecimal(const std::string& text, double min, double max, double& out) {
    // strtod would skip any leading white space (a newline too) and read
    // "inf", "nan" and hex: a plain decimal number only.
    if (text.empty() || !(std::isdigit(static_cast<unsigned char>(text.front())) || text.front() == '.') ||
        text.find_first_not_of("0123456789.eE+-") != std::string::npos)
        return false;
    char* end = nullptr;
    errno = 0;
    const double value = std::strtod(text.c_str(), &end);
    if (end != text.c_str() + text.size() || errno == ERANGE) return false;
    if (!(value >= min && value <= max)) return false;
    out = value;
    return true;
}

std::string Printable(const std::string& text) {
    static const char kHex[] = "0123456789abcdef";
    std::string out;
    out.reserve(text.size());
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte >= 0x20 && byte < 0x7f) {
            out += c;
        } else {
            out += "\\x";
            out += kHex[byte >> 4];
            out += kHex[byte & 0xf];
        }
    }
    return out;
}

std::string Excerpt(const std::string& text) {
    constexpr std::size_t kMaxBytes = 40;
    if (text.size() <= kMaxBytes) return Printable(text);
    return Printable(text.substr(0, kMaxBytes)) + "...";
}

}  // namespace ReEng
