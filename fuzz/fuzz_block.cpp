// The block's functions on any bytes: fix_checksums always yields a block
// that verifies and changes only the check words, verify_checksums never
// changes its block, and checksum agrees with a plain loop on any length.
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "tag_block.h"

namespace {

int reference_checksum(const std::uint8_t* data, std::size_t size) {
  std::uint64_t s = 0;
  for (std::size_t i = 0; i < size; ++i) {
    s = (s * 73 + data[i]) % 65519;
  }
  return static_cast<int>(s);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size > 1 << 16) {
    return -1;
  }
  if (distag::checksum(data, static_cast<int>(size)) != reference_checksum(data, size)) {
    std::abort();
  }
  if (size < distag::block_size) {
    return 0;
  }
  distag::tag_block block{};
  std::memcpy(block.bytes.data(), data, distag::block_size);
  const distag::tag_block original = block;
  (void)distag::verify_checksums(block);
  if (block.bytes != original.bytes) {
    std::abort();
  }
  distag::fix_checksums(block);
  if (distag::verify_checksums(block) != 0 ||
      std::memcmp(&block.bytes[4], &original.bytes[4], 56) != 0) {
    std::abort();
  }
  return 0;
}
