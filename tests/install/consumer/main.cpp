// Repairs a block whose byte i is i and checks the known check words.
#include <distag/tag_block.h>

#include <cstdio>

int main() {
  distag::tag_block block{};
  for (std::size_t i = 0; i < distag::block_size; ++i) {
    block.bytes[i] = static_cast<std::uint8_t>(i);
  }
  if (distag::verify_checksums(block) == 0) {
    return 1;
  }
  distag::fix_checksums(block);
  const bool ok = distag::verify_checksums(block) == 0 && distag::word_at(block, 0) == 0x99f5 &&
                  distag::word_at(block, 1) == 0x5e80 && distag::word_at(block, 30) == 0xab02 &&
                  distag::word_at(block, 31) == 0xf300;
  std::puts(ok ? "consumer: ok" : "consumer: wrong check words");
  return ok ? 0 : 1;
}
