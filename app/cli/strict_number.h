#pragma once

#include <cstdint>
#include <string>

namespace lumistra {

// Parsers for numbers typed on a command line. Each accepts the whole token or nothing:
// no surrounding spaces, no trailing characters, no hexadecimal, no infinities. On
// failure they return a short reason ("is not a decimal number"), else an empty string.

// Optional sign, digits with an optional decimal point, optional exponent; rounded once
// to the nearest single-precision value.
std::string ParseDecimalFloat(const std::string& token, float& value);
// Optional sign and decimal digits, within the signed 32-bit range.
std::string ParseInt32(const std::string& token, int32_t& value);
// Decimal digits only, from 1 to the largest unsigned 32-bit value.
std::string ParseCount(const std::string& token, uint32_t& value);

}  // namespace lumistra
