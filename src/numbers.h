// Reading the numbers of the command line with fixed 32-bit rules, whatever
// the width of the host's long, and turning a fraction into a block word.
// All pure: they read their input and return a value.
#ifndef DISTAG_NUMBERS_H
#define DISTAG_NUMBERS_H

#include <cstdint>

namespace distag {

// Reads text as strtoul with base 0 reads it into a 32-bit unsigned long:
// leading white space, an optional sign, then a 0x/0X (hexadecimal), 0
// (octal) or decimal number, up to the first character that does not fit.
// A minus sign negates modulo 2^32; a magnitude beyond 0xffffffff gives
// 0xffffffff whatever the sign; text with no number gives 0.
std::uint32_t parse_unsigned32(const char* text) noexcept;

// Reads text as atoi does: leading white space, an optional sign, decimal
// digits up to the first other character; no number gives 0. A magnitude
// beyond the 32-bit int range is clamped to +/-2^32, so it stays out of any
// int range instead of wrapping into it.
std::int64_t parse_decimal(const char* text) noexcept;

struct fractions {
  float a;
  float b;
  float c;
};

// Scans text with "%f %f %f". Returns false when fewer than three numbers
// are read; out is then unspecified.
bool scan_fractions(const char* text, fractions& out) noexcept;

// x * 32767 truncated toward zero into a signed 16-bit word. Returns false,
// leaving word unchanged, when the product is not a number or truncates
// outside -32768 to 32767.
bool fraction_to_word(float x, std::int16_t& word) noexcept;

}  // namespace distag

#endif
