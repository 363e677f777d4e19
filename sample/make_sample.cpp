// make_sample FILE: writes a 1 KiB file of filler bytes with a valid tag
// block at 0x360 (distortion 0.1, -0.05, 0.9; tag flag 1), to try the tool on.
#include <cstdio>

#include "tag_block.h"

int main(int argc, char* argv[]) {
  if (argc != 2) {
    (void)std::fputs("usage: make_sample FILE\n", stderr);
    return 2;
  }
  constexpr std::size_t file_size = 1024;
  constexpr std::size_t offset = 0x360;
  unsigned char data[file_size];
  for (std::size_t i = 0; i < file_size; ++i) {
    data[i] = static_cast<unsigned char>(i * 31 + 7);
  }
  distag::tag_block block{};
  for (std::size_t k = 2; k < distag::word_count; ++k) {
    distag::set_word(block, k, static_cast<std::uint16_t>(0x0101 * k));
  }
  distag::set_word(block, distag::param_a_word, 3276);                               // 0.1
  distag::set_word(block, distag::param_b_word, static_cast<std::uint16_t>(-1638));  // -0.05
  distag::set_word(block, distag::param_c_word, 29490);                              // 0.9
  distag::set_word(block, distag::tag_flag_word, 1);
  distag::fix_checksums(block);
  for (std::size_t i = 0; i < distag::block_size; ++i) {
    data[offset + i] = block.bytes[i];
  }

  std::FILE* out = std::fopen(argv[1], "wb");
  if (out == nullptr || std::fwrite(data, 1, file_size, out) != file_size ||
      std::fclose(out) != 0) {
    (void)std::fprintf(stderr, "make_sample: cannot write %s\n", argv[1]);
    return 1;
  }
  return 0;
}
