#include "numbers.h"

#include <cstdio>

namespace distag {
namespace {

constexpr std::uint64_t u32_max = 0xffffffffU;
constexpr std::int64_t decimal_clamp = std::int64_t{1} << 32;
constexpr double word_scale = 32767.0;

bool is_space(char c) noexcept {
  return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

// The value of c as a digit in base, or -1 when it is not one.
int digit_value(char c, int base) noexcept {
  int v = -1;
  if (c >= '0' && c <= '9') {
    v = c - '0';
  } else if (c >= 'a' && c <= 'z') {
    v = c - 'a' + 10;
  } else if (c >= 'A' && c <= 'Z') {
    v = c - 'A' + 10;
  }
  return v < base ? v : -1;
}

// Skips white space and a sign; returns whether the sign was a minus.
bool skip_space_and_sign(const char*& p) noexcept {
  while (is_space(*p)) {
    ++p;
  }
  const bool negative = *p == '-';
  if (*p == '-' || *p == '+') {
    ++p;
  }
  return negative;
}

}  // namespace

std::uint32_t parse_unsigned32(const char* text) noexcept {
  const char* p = text;
  const bool negative = skip_space_and_sign(p);
  int base = 10;
  if (p[0] == '0' && (p[1] == 'x' || p[1] == 'X') && digit_value(p[2], 16) >= 0) {
    base = 16;
    p += 2;
  } else if (p[0] == '0') {
    base = 8;
  }
  std::uint64_t magnitude = 0;
  for (int d = digit_value(*p, base); d >= 0; d = digit_value(*++p, base)) {
    magnitude = magnitude * static_cast<unsigned>(base) + static_cast<unsigned>(d);
    if (magnitude > u32_max) {
      return static_cast<std::uint32_t>(u32_max);
    }
  }
  const auto value = static_cast<std::uint32_t>(magnitude);
  return negative ? static_cast<std::uint32_t>(0U - value) : value;
}

std::int64_t parse_decimal(const char* text) noexcept {
  const char* p = text;
  const bool negative = skip_space_and_sign(p);
  std::int64_t magnitude = 0;
  for (int d = digit_value(*p, 10); d >= 0; d = digit_value(*++p, 10)) {
    magnitude = magnitude * 10 + d;
    if (magnitude >= decimal_clamp) {
      magnitude = decimal_clamp;
      break;
    }
  }
  return negative ? -magnitude : magnitude;
}

bool scan_fractions(const char* text, fractions& out) noexcept {
  // The format's own rules (what a number is, how spaces match) are the
  // interface, so the C library's scanner is used as it stands.
  // NOLINTNEXTLINE(cert-err34-c): a count of three is the whole check.
  return std::sscanf(text, "%f %f %f", &out.a, &out.b, &out.c) == 3;
}

bool fraction_to_word(float x, std::int16_t& word) noexcept {
  // A float times 32767 is exact in double precision, so truncation sees
  // the true product. The product truncates into -32768..32767 exactly
  // when it lies strictly between -32769 and 32768; NaN fails both tests.
  const double product = static_cast<double>(x) * word_scale;
  if (!(product > -32769.0 && product < 32768.0)) {
    return false;
  }
  word = static_cast<std::int16_t>(product);
  return true;
}

}  // namespace distag
