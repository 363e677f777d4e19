// Helpers shared by the fuzz targets: a whole run of the tool in-process,
// and the checks every run must pass on the file it was given.
#ifndef DISTAG_FUZZ_RUN_IN_PROCESS_H
#define DISTAG_FUZZ_RUN_IN_PROCESS_H

#include <cstddef>
#include <cstdint>

namespace distag_fuzz {

// Moves into a fresh private folder so that runs touch no other file.
void enter_scratch_folder();

// The file every run works on, in the scratch folder, and its largest size.
inline constexpr const char* file_name = "tag.bin";
inline constexpr std::size_t max_file_size = 4096;

// Writes content (at most max_file_size bytes) to file_name, runs the tool
// over argv, then aborts unless the file is as it was, or differs only within
// 64 bytes at an offset where it held a block that verifies both before and
// after. A failed run must leave the file as it was.
void run_on_file(const std::uint8_t* content, std::size_t size, int argc, char* argv[]);

}  // namespace distag_fuzz

#endif
