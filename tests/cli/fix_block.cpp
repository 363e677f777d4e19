// fix_block HEX: reads a 64-byte block as 128 hexadecimal digits, repairs its
// check words and prints the block again in hexadecimal.
#include <cstdio>
#include <cstring>

#include "tag_block.h"

namespace {

int hex_digit(char c) {
  if (c >= '0' && c <= '9') {
    return c - '0';
  }
  if (c >= 'a' && c <= 'f') {
    return c - 'a' + 10;
  }
  return -1;
}

}  // namespace

int main(int argc, char* argv[]) {
  if (argc != 2 || std::strlen(argv[1]) != 2 * distag::block_size) {
    (void)std::fputs("usage: fix_block HEX (128 lower-case hex digits)\n", stderr);
    return 2;
  }
  distag::tag_block block{};
  for (std::size_t i = 0; i < distag::block_size; ++i) {
    const int high = hex_digit(argv[1][2 * i]);
    const int low = hex_digit(argv[1][2 * i + 1]);
    if (high < 0 || low < 0) {
      (void)std::fputs("fix_block: not a hex digit\n", stderr);
      return 2;
    }
    block.bytes[i] = static_cast<unsigned char>(high * 16 + low);
  }
  distag::fix_checksums(block);
  for (const unsigned char byte : block.bytes) {
    (void)std::printf("%02x", byte);
  }
  (void)std::printf("\n");
  return 0;
}
