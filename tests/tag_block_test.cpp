#include "tag_block.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <utility>

namespace {

using distag::checksum;
using distag::fix_checksums;
using distag::tag_block;
using distag::verify_checksums;
using distag::word_at;

// Byte i holds i: the known-answer block, worked out by hand from the
// check-word rules.
tag_block counting_block() {
  tag_block b{};
  for (std::size_t i = 0; i < distag::block_size; ++i) {
    b.bytes[i] = static_cast<std::uint8_t>(i);
  }
  return b;
}

tag_block filled_block(std::uint8_t value) {
  tag_block b{};
  b.bytes.fill(value);
  return b;
}

void flip_word(tag_block& b, std::size_t k, std::uint16_t mask) {
  distag::set_word(b, k, static_cast<std::uint16_t>(word_at(b, k) ^ mask));
}

TEST(Checksum, KnownAnswers) {
  const std::uint8_t abc[] = {'a', 'b', 'c'};
  const std::uint8_t zeros[40] = {};
  std::uint8_t ones[4] = {0xff, 0xff, 0xff, 0xff};
  EXPECT_EQ(checksum(abc, 3), 14);
  EXPECT_EQ(checksum(zeros, 40), 0);
  EXPECT_EQ(checksum(abc, 0), 0);
  EXPECT_EQ(checksum(abc, -5), 0);
  // 255 * (73^3 + 73^2 + 73 + 1) mod 65519, a value that needs the modulus.
  EXPECT_EQ(checksum(ones, 4),
            static_cast<int>((255ULL * (73 * 73 * 73 + 73 * 73 + 73 + 1)) % 65519));
}

TEST(Checksum, StaysBelowModulusOnAnyInput) {
  std::array<std::uint8_t, 512> data{};
  for (std::size_t i = 0; i < data.size(); ++i) {
    data[i] = static_cast<std::uint8_t>(255 - i * 7);
  }
  for (int n = 0; n <= static_cast<int>(data.size()); ++n) {
    const int s = checksum(data.data(), n);
    ASSERT_GE(s, 0);
    ASSERT_LE(s, 65518);
  }
}

TEST(Words, AreLittleEndianWhateverTheHost) {
  tag_block b{};
  distag::set_word(b, 3, 0x1234);
  EXPECT_EQ(b.bytes[6], 0x34);
  EXPECT_EQ(b.bytes[7], 0x12);
  EXPECT_EQ(word_at(b, 3), 0x1234);
  distag::set_word(b, 4, 0xf99a);
  EXPECT_EQ(distag::signed_word_at(b, 4), -1638);
  distag::set_word(b, 5, 0x8000);
  EXPECT_EQ(distag::signed_word_at(b, 5), -32768);
  distag::set_word(b, 6, 0x7fff);
  EXPECT_EQ(distag::signed_word_at(b, 6), 32767);
}

TEST(VerifyChecksums, CountingBlockFailsThenFixedBlockMatchesWorkedExample) {
  tag_block b = counting_block();
  EXPECT_EQ(verify_checksums(b), 39776);

  fix_checksums(b);
  // clang-format off
  const std::array<std::uint8_t, 4> head = {
      0xf5, 0x99,  // word 0, low lane: 0x99f5
      0x80, 0x5e,  // word 1, front range: 0x5e80
  };
  const std::array<std::uint8_t, 4> tail = {
      0x02, 0xab,  // word 30, back range: 0xab02
      0x00, 0xf3,  // word 31, high lane: 0xf300
  };
  // clang-format on
  for (std::size_t i = 0; i < 4; ++i) {
    EXPECT_EQ(b.bytes[i], head[i]) << "byte " << i;
    EXPECT_EQ(b.bytes[60 + i], tail[i]) << "byte " << 60 + i;
  }
  for (std::size_t i = 4; i < 60; ++i) {
    EXPECT_EQ(b.bytes[i], i) << "byte " << i;
  }
  EXPECT_EQ(verify_checksums(b), 0);
}

TEST(VerifyChecksums, DifferencesAreXoredTogether) {
  tag_block fixed = counting_block();
  fix_checksums(fixed);

  struct tamper {
    const char* what;
    std::size_t first;
    std::size_t second;
    int expected;
  };
  const tamper cases[] = {
      {"words 0 and 31 cancel", 0, 31, 0},
      {"words 1 and 30 feed both a range and a lane", 0, 1, 0x2e67},
  };
  for (const tamper& t : cases) {
    SCOPED_TRACE(t.what);
    tag_block b = fixed;
    flip_word(b, t.first, 0x0001);
    flip_word(b, t.second, 0x0001);
    EXPECT_EQ(verify_checksums(b), t.expected);
  }

  tag_block swapped = fixed;
  const std::uint16_t w0 = word_at(swapped, 0);
  distag::set_word(swapped, 0, word_at(swapped, 31));
  distag::set_word(swapped, 31, w0);
  EXPECT_EQ(verify_checksums(swapped), 0);
}

TEST(VerifyChecksums, OuterCheckWordsFeedNoComputedValue) {
  tag_block fixed = counting_block();
  fix_checksums(fixed);
  for (const std::size_t k : {std::size_t{0}, std::size_t{31}}) {
    for (const std::uint16_t mask : std::array<std::uint16_t, 4>{0x0001, 0x8000, 0xffff, 0x1234}) {
      tag_block b = fixed;
      flip_word(b, k, mask);
      EXPECT_EQ(verify_checksums(b), mask) << "word " << k;
    }
  }
}

TEST(VerifyChecksums, EveryCoveredByteIsChecked) {
  tag_block fixed = counting_block();
  fix_checksums(fixed);
  for (std::size_t i = 2; i < 62; ++i) {
    for (const std::uint8_t delta : std::array<std::uint8_t, 3>{1, 0x80, 0xff}) {
      tag_block b = fixed;
      b.bytes[i] = static_cast<std::uint8_t>(b.bytes[i] ^ delta);
      EXPECT_NE(verify_checksums(b), 0) << "byte " << i << " delta " << int{delta};
    }
  }
}

TEST(VerifyChecksums, LeavesBlockUnchanged) {
  const tag_block original = counting_block();
  tag_block b = original;
  (void)verify_checksums(b);
  EXPECT_EQ(b.bytes, original.bytes);
}

TEST(VerifyChecksums, UniformBlocksPass) {
  for (int v = 0; v < 256; ++v) {
    EXPECT_EQ(verify_checksums(filled_block(static_cast<std::uint8_t>(v))), 0) << "value " << v;
  }
}

TEST(FixChecksums, AllOnesBlock) {
  tag_block b = filled_block(0xff);
  fix_checksums(b);
  EXPECT_EQ(word_at(b, 0), 0xe584);
  EXPECT_EQ(word_at(b, 1), 0x38ef);
  EXPECT_EQ(word_at(b, 30), 0x38ef);
  EXPECT_EQ(word_at(b, 31), 0xb82d);
  for (std::size_t k = 2; k < 30; ++k) {
    EXPECT_EQ(word_at(b, k), 0xffff);
  }
  EXPECT_EQ(verify_checksums(b), 0);
}

TEST(FixChecksums, OverwritesCheckWordsOnlyAndAlwaysVerifies) {
  tag_block reference = counting_block();
  fix_checksums(reference);

  // Whatever the check words held before, the result is the same.
  for (const std::uint16_t junk : std::array<std::uint16_t, 3>{0x0000, 0xffff, 0xabcd}) {
    tag_block b = counting_block();
    for (const std::size_t k : std::array<std::size_t, 4>{0, 1, 30, 31}) {
      distag::set_word(b, k, junk);
    }
    fix_checksums(b);
    EXPECT_EQ(b.bytes, reference.bytes);
  }

  // Pseudo-random blocks: only words 0, 1, 30, 31 change, and they verify.
  std::uint32_t seed = 12345;
  for (int round = 0; round < 200; ++round) {
    tag_block b{};
    for (std::uint8_t& byte : b.bytes) {
      seed = seed * 1103515245U + 12345U;
      byte = static_cast<std::uint8_t>(seed >> 16);
    }
    const tag_block before = b;
    fix_checksums(b);
    ASSERT_EQ(verify_checksums(b), 0) << "round " << round;
    for (std::size_t i = 4; i < 60; ++i) {
      ASSERT_EQ(b.bytes[i], before.bytes[i]) << "round " << round << " byte " << i;
    }
    ASSERT_LE(word_at(b, 0), 65518);
    ASSERT_LE(word_at(b, 31), 65518);
  }
}

}  // namespace
