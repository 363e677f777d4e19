#include "tag_block.h"

namespace distag {
namespace {

constexpr std::uint32_t modulus = 65519;  // largest prime below 2^16
constexpr std::uint32_t multiplier = 73;

// The ranges covered by the front and back check words, and the lanes.
constexpr int range_length = 28;        // words 2-15 and words 16-29
constexpr std::size_t front_range = 4;  // first byte of word 2
constexpr std::size_t back_range = 32;  // first byte of word 16
constexpr std::size_t lane_first = 1;   // lanes run over words 1-30
constexpr int lane_length = 30;

struct check_values {
  std::uint16_t front;
  std::uint16_t back;
  std::uint16_t low_lane;
  std::uint16_t high_lane;
};

std::uint16_t checksum16(const std::uint8_t* data, int length) noexcept {
  return static_cast<std::uint16_t>(checksum(data, length));
}

// The two range values, from the block as it stands.
void compute_ranges(const tag_block& block, check_values& values) noexcept {
  values.front = checksum16(&block.bytes[front_range], range_length);
  values.back = checksum16(&block.bytes[back_range], range_length);
}

// The two lane values: the low and the high bytes of words 1-30, split into
// scratch arrays so that each lane is one contiguous run.
void compute_lanes(const tag_block& block, check_values& values) noexcept {
  std::uint8_t low[word_count];
  std::uint8_t high[word_count];
  for (std::size_t k = 0; k < word_count; ++k) {
    low[k] = block.bytes[2 * k];
    high[k] = block.bytes[2 * k + 1];
  }
  values.low_lane = checksum16(&low[lane_first], lane_length);
  values.high_lane = checksum16(&high[lane_first], lane_length);
}

}  // namespace

int checksum(const std::uint8_t* data, int length) noexcept {
  std::uint32_t s = 0;
  for (int i = 0; i < length; ++i) {
    s = (s * multiplier + data[i]) % modulus;
  }
  return static_cast<int>(s);
}

void fix_checksums(tag_block& block) noexcept {
  check_values values{};
  compute_ranges(block, values);
  set_word(block, front_check_word, values.front);
  set_word(block, back_check_word, values.back);
  // The lanes take in words 1 and 30, so they are computed only now.
  compute_lanes(block, values);
  set_word(block, low_lane_check_word, values.low_lane);
  set_word(block, high_lane_check_word, values.high_lane);
}

int verify_checksums(const tag_block& block) noexcept {
  check_values values{};
  compute_ranges(block, values);
  compute_lanes(block, values);
  // One XOR over all four differences: equal differences cancel, by design
  // of the format, so this is not four separate comparisons.
  const unsigned r = (word_at(block, front_check_word) ^ values.front) ^
                     (word_at(block, back_check_word) ^ values.back) ^
                     (word_at(block, low_lane_check_word) ^ values.low_lane) ^
                     (word_at(block, high_lane_check_word) ^ values.high_lane);
  return static_cast<int>(r);
}

}  // namespace distag
