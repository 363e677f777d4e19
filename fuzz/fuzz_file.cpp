// Whole runs over a fuzzed file at a fuzzed offset: short files, offsets near
// and past the end, blocks that almost verify. Input: 4 bytes choosing the
// offset, 1 byte choosing the edits, 4 bytes of edit values, then the file.
#include <cstdint>
#include <cstdio>
#include <cstring>

#include "run_in_process.h"

namespace {

constexpr std::size_t header = 9;

std::uint32_t load32(const std::uint8_t* p) {
  return static_cast<std::uint32_t>(p[0]) | static_cast<std::uint32_t>(p[1]) << 8 |
         static_cast<std::uint32_t>(p[2]) << 16 | static_cast<std::uint32_t>(p[3]) << 24;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  distag_fuzz::enter_scratch_folder();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < header || size - header > distag_fuzz::max_file_size) {
    return -1;
  }
  const std::uint8_t* file = data + header;
  const std::size_t file_size = size - header;
  const std::uint32_t selector = load32(data);
  const std::uint8_t edits = data[4];
  const std::uint32_t values = load32(data + 5);

  // Mostly offsets in or just past the file; sometimes any 32-bit offset.
  const std::uint32_t offset =
      (edits & 0x80U) != 0 ? selector : selector % static_cast<std::uint32_t>(file_size + 72);
  char offset_text[16];
  char value_text[16];
  char index_text[16];
  char fractions[64];
  (void)std::snprintf(offset_text, sizeof offset_text, "0x%x", static_cast<unsigned>(offset));
  (void)std::snprintf(value_text, sizeof value_text, "%u", static_cast<unsigned>(values & 0xffffU));
  (void)std::snprintf(index_text, sizeof index_text, "%u",
                      static_cast<unsigned>(values >> 16) % 40U);
  (void)std::snprintf(fractions, sizeof fractions, "%f %f %f",
                      static_cast<double>(static_cast<std::int8_t>(values)) / 100.0,
                      static_cast<double>(static_cast<std::int8_t>(values >> 8)) / 100.0,
                      static_cast<double>(static_cast<std::int8_t>(values >> 16)) / 100.0);

  static char program[] = "distag";
  static char opt_o[] = "-o";
  static char opt_m[] = "-m";
  static char opt_i[] = "-i";
  static char opt_r[] = "-r";
  static char path[] = "tag.bin";
  char* argv[12] = {program, opt_o, offset_text};
  int argc = 3;
  if ((edits & 1U) != 0) {
    argv[argc++] = opt_m;
    argv[argc++] = value_text;
    argv[argc++] = opt_i;
    argv[argc++] = index_text;
  }
  if ((edits & 2U) != 0) {
    argv[argc++] = opt_r;
    argv[argc++] = fractions;
  }
  argv[argc++] = path;
  argv[argc] = nullptr;

  distag_fuzz::run_on_file(file, file_size, argc, argv);
  return 0;
}
