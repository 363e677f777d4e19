// Whole runs with a fuzzed command line against a file holding a valid block
// at 0x360 among filler bytes. Input: arguments separated by newlines; the
// argument "@" names the file. Inputs with a '/' are skipped, so that no run
// can name a file outside the scratch folder.
#include <cstdint>
#include <cstring>

#include "run_in_process.h"
#include "tag_block.h"

namespace {

constexpr std::size_t file_size = 1024;
constexpr std::size_t block_offset = 0x360;
constexpr std::size_t max_args = 16;
constexpr std::size_t max_input = 1024;

std::uint8_t base_file[file_size];

void make_base_file() {
  std::uint32_t seed = 1;
  for (std::uint8_t& byte : base_file) {
    seed = seed * 1103515245U + 12345U;
    byte = static_cast<std::uint8_t>(seed >> 16);
  }
  distag::tag_block block{};
  std::memcpy(block.bytes.data(), base_file + block_offset, distag::block_size);
  distag::fix_checksums(block);
  std::memcpy(base_file + block_offset, block.bytes.data(), distag::block_size);
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  distag_fuzz::enter_scratch_folder();
  make_base_file();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size > max_input || std::memchr(data, '/', size) != nullptr ||
      std::memchr(data, '\0', size) != nullptr) {
    return -1;
  }
  static char text[max_input + 1];
  static char program[] = "distag";
  static char path[] = "tag.bin";
  std::memcpy(text, data, size);
  text[size] = '\0';

  char* argv[max_args + 2] = {program};
  int argc = 1;
  for (char* p = text; argc <= static_cast<int>(max_args);) {
    char* end = std::strchr(p, '\n');
    if (end != nullptr) {
      *end = '\0';
    }
    argv[argc++] = std::strcmp(p, "@") == 0 ? path : p;
    if (end == nullptr) {
      break;
    }
    p = end + 1;
  }
  argv[argc] = nullptr;

  distag_fuzz::run_on_file(base_file, file_size, argc, argv);
  return 0;
}
