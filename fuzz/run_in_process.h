// Helpers shared by the fuzz targets: a whole run of the tool in-process,
// and the checks every run must pass on the file it was given.
#ifndef DISTAG_FUZZ_RUN_IN_PROCESS_H
#define DISTAG_FUZZ_RUN_IN_PROCESS_H

#include <cstddef>
#include <cstdint>

namespace distag_fuzz {

// Runs the tool over argv; returns 0 for a complete run, or the status a
// failed run ended with.
int run_in_process(int argc, char* argv[]);

// Moves into a fresh private folder so that runs touch no other file.
void enter_scratch_folder();

// Writes data to path, replacing it. Aborts on failure.
void write_file(const char* path, const std::uint8_t* data, std::size_t size);

// Reads path into buf (at most capacity bytes); returns the size read.
std::size_t read_file(const char* path, std::uint8_t* buf, std::size_t capacity);

// Aborts unless `after` equals `before`, or differs only within 64 bytes at
// an offset where both hold a block that verifies. A failed run (status
// non-zero) must leave the file as it was.
void check_file_change(const std::uint8_t* before, std::size_t before_size,
                       const std::uint8_t* after, std::size_t after_size, int status);

}  // namespace distag_fuzz

#endif
