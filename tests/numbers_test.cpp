#include "numbers.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>

namespace {

TEST(ParseUnsigned32, ReadsAsStrtoulWithBase0Into32Bits) {
  struct row {
    const char* text;
    std::uint32_t expected;
  };
  const row rows[] = {
      {"864", 864},
      {"0x360", 864},
      {"0X360", 864},
      {"01540", 864},
      {"0", 0},
      {"  \t+12xyz", 12},
      {"0xFFFFFFFF", 0xffffffffU},
      {"4294967295", 0xffffffffU},
      {"65537", 65537},
      // A minus sign negates modulo 2^32.
      {"-1", 0xffffffffU},
      {"-4294967295", 1},
      {"-0", 0},
      // Beyond 32 bits saturates, whatever the sign: no wrap on a 64-bit long.
      {"4294967296", 0xffffffffU},
      {"0x100000000", 0xffffffffU},
      {"-4294967296", 0xffffffffU},
      {"99999999999999999999999999", 0xffffffffU},
      // Not a number, or a prefix with nothing after it, reads as 0.
      {"", 0},
      {"abc", 0},
      {"0x", 0},
      {"0xg", 0},
      {"08", 0},
      {"- 5", 0},
      {"--5", 0},
  };
  for (const row& r : rows) {
    EXPECT_EQ(distag::parse_unsigned32(r.text), r.expected) << '"' << r.text << '"';
  }
}

TEST(ParseDecimal, ReadsAsAtoiButNeverWrapsIntoRange) {
  constexpr std::int64_t clamp = std::int64_t{1} << 32;
  struct row {
    const char* text;
    std::int64_t expected;
  };
  const row rows[] = {
      {"31", 31},
      {" -1", -1},
      {"+7x", 7},
      {"0x10", 0},
      {"010", 10},
      {"abc", 0},
      {"", 0},
      {"2147483648", 2147483648},
      // 2^32 + 31 would wrap to 31 in 32 bits; it must stay out of range.
      {"4294967327", clamp},
      {"99999999999999999999", clamp},
      {"-99999999999999999999", -clamp},
  };
  for (const row& r : rows) {
    EXPECT_EQ(distag::parse_decimal(r.text), r.expected) << '"' << r.text << '"';
  }
}

TEST(ScanFractions, NeedsThreeNumbers) {
  struct row {
    const char* text;
    bool ok;
    float a, b, c;
  };
  const row rows[] = {
      {"0.1 -0.05 0.9", true, 0.1F, -0.05F, 0.9F},
      {"-0.1 0 0", true, -0.1F, 0.0F, 0.0F},
      {"1 2 3 and more", true, 1.0F, 2.0F, 3.0F},
      {"  1e-1\t2\n3", true, 0.1F, 2.0F, 3.0F},
      {"1,2,3", false, 0, 0, 0},
      {"1 2", false, 0, 0, 0},
      {"", false, 0, 0, 0},
      {"x 1 2", false, 0, 0, 0},
  };
  for (const row& r : rows) {
    SCOPED_TRACE(r.text);
    distag::fractions f{};
    ASSERT_EQ(distag::scan_fractions(r.text, f), r.ok);
    if (r.ok) {
      EXPECT_EQ(f.a, r.a);
      EXPECT_EQ(f.b, r.b);
      EXPECT_EQ(f.c, r.c);
    }
  }
}

TEST(FractionToWord, ScalesBy32767AndTruncates) {
  struct row {
    float x;
    std::int16_t expected;
  };
  const row rows[] = {
      {0.1F, 3276},        {-0.05F, -1638}, {0.9F, 29490},  {1.0F, 32767},
      {-1.0F, -32767},     {0.0F, 0},       {-0.0F, 0},     {1.00003F, 32767},
      {-1.00004F, -32768}, {0.00003F, 0},   {-0.00003F, 0},
  };
  for (const row& r : rows) {
    std::int16_t word = 123;
    EXPECT_TRUE(distag::fraction_to_word(r.x, word)) << r.x;
    EXPECT_EQ(word, r.expected) << r.x;
  }
}

TEST(FractionToWord, RefusesWhatDoesNotFitInsteadOfStoring0x8000) {
  const float refused[] = {
      1.5F,
      -1.5F,
      1.00004F,
      -1.00007F,
      1e30F,
      std::numeric_limits<float>::infinity(),
      -std::numeric_limits<float>::infinity(),
      std::numeric_limits<float>::quiet_NaN(),
  };
  for (const float x : refused) {
    std::int16_t word = 123;
    EXPECT_FALSE(distag::fraction_to_word(x, word)) << x;
    EXPECT_EQ(word, 123) << x;
  }
}

}  // namespace
