#include "app/cli/strict_number.h"

#include <cmath>
#include <cstdlib>

namespace lumistra {
namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Number of leading decimal digits of s from position i.
size_t CountDigits(const std::string& s, size_t i) {
    size_t start = i;
    while (i < s.size() && IsDigit(s[i])) ++i;
    return i - start;
}

bool IsDecimalFloatSyntax(const std::string& s) {
    size_t i = 0;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) ++i;
    size_t whole = CountDigits(s, i);
    i += whole;
    size_t fraction = 0;
    if (i < s.size() && s[i] == '.') {
        fraction = CountDigits(s, i + 1);
        i += 1 + fraction;
    }
    if (whole + fraction == 0) return false;
    if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
        ++i;
        if (i < s.size() && (s[i] == '+' || s[i] == '-')) ++i;
        size_t exponent = CountDigits(s, i);
        if (exponent == 0) return false;
        i += exponent;
    }
    return i == s.size();
}

// The value of the decimal digits s[i..]; false when it exceeds limit.
bool AccumulateDigits(const std::string& s, size_t i, uint64_t limit, uint64_t& value) {
    value = 0;
    for (; i < s.size(); ++i) {
        value = value * 10 + uint64_t(s[i] - '0');
        if (value > limit) return false;
    }
    return true;
}

}  // namespace

std::string ParseDecimalFloat(const std::string& token, float& value) {
    if (!IsDecimalFloatSyntax(token)) return "is not a decimal number";
    float parsed = std::strtof(token.c_str(), nullptr);
    if (std::isinf(parsed)) return "is too large for a single-precision number";
    value = parsed;
    return {};
}

std::string ParseInt32(const std::string& token, int32_t& value) {
    bool negative = !token.empty() && token[0] == '-';
    size_t start = !token.empty() && (token[0] == '-' || token[0] == '+') ? 1 : 0;
    if (start == token.size() || CountDigits(token, start) != token.size() - start)
        return "is not a whole number";
    uint64_t magnitude = 0;
    uint64_t limit = negative ? uint64_t(INT32_MAX) + 1 : uint64_t(INT32_MAX);
    if (!AccumulateDigits(token, start, limit, magnitude))
        return "is outside the signed 32-bit range";
    value = negative ? int32_t(-int64_t(magnitude)) : int32_t(magnitude);
    return {};
}

std::string ParseCount(const std::string& token, uint32_t& value) {
    if (token.empty() || CountDigits(token, 0) != token.size())
        return "is not a whole number of 1 or more";
    uint64_t parsed = 0;
    if (!AccumulateDigits(token, 0, UINT32_MAX, parsed))
        return "is larger than " + std::to_string(UINT32_MAX);
    if (parsed == 0) return "must be 1 or more";
    value = uint32_t(parsed);
    return {};
}

}  // namespace lumistra
