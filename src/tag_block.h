// The 64-byte distortion tag block: 32 little-endian 16-bit words guarded by
// four check words. Everything here is pure: no I/O, no allocation, no state.
#ifndef DISTAG_TAG_BLOCK_H
#define DISTAG_TAG_BLOCK_H

#include <array>
#include <cstddef>
#include <cstdint>

namespace distag {

inline constexpr std::size_t block_size = 64;  // bytes in a block
inline constexpr std::size_t word_count = 32;  // 16-bit words in a block

// Word indices. Word k is stored at bytes 2k (low) and 2k+1 (high).
inline constexpr std::size_t low_lane_check_word = 0;  // covers low bytes of words 1-30
inline constexpr std::size_t front_check_word = 1;     // covers words 2-15
inline constexpr std::size_t param_b_word = 4;         // distortion b, second value of -r
inline constexpr std::size_t param_a_word = 8;         // distortion a, first value of -r
inline constexpr std::size_t param_c_word = 11;   // distortion c, third value of -r; report divisor
inline constexpr std::size_t tag_flag_word = 29;  // tag flag
inline constexpr std::size_t back_check_word = 30;       // covers words 16-29
inline constexpr std::size_t high_lane_check_word = 31;  // covers high bytes of words 1-30

// The block exactly as it lies in the file; words are reached through
// word_at/set_word so that the host's byte order never matters.
struct tag_block {
  std::array<std::uint8_t, block_size> bytes;
};

// Word k (0-31) as the unsigned value low + 256 * high.
constexpr std::uint16_t word_at(const tag_block& block, std::size_t k) noexcept {
  return static_cast<std::uint16_t>(block.bytes[2 * k] | (block.bytes[2 * k + 1] << 8));
}

// Word k (0-31) as the signed 16-bit number it stands for.
constexpr std::int16_t signed_word_at(const tag_block& block, std::size_t k) noexcept {
  const std::uint16_t w = word_at(block, k);
  return static_cast<std::int16_t>(w < 0x8000 ? w : w - 0x10000);
}

// Stores value in word k (0-31), low byte first; touches no other byte.
constexpr void set_word(tag_block& block, std::size_t k, std::uint16_t value) noexcept {
  block.bytes[2 * k] = static_cast<std::uint8_t>(value & 0xffU);
  block.bytes[2 * k + 1] = static_cast<std::uint8_t>(value >> 8);
}

// Checksum of length bytes at data: s = (s * 73 + byte) mod 65519 over the
// bytes in order, from s = 0. Returns 0 to 65518; 0 when length <= 0.
int checksum(const std::uint8_t* data, int length) noexcept;

// Overwrites words 0, 1, 30 and 31 with check values computed from the rest
// of the block; no other byte changes.
void fix_checksums(tag_block& block) noexcept;

// Reads the block without changing it. Returns 0 when the check words agree
// with the data, else the non-zero XOR of the four differences (1-65535).
int verify_checksums(const tag_block& block) noexcept;

}  // namespace distag

#endif
