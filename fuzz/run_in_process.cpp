#include "run_in_process.h"

#include <unistd.h>

#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "edit_run.h"
#include "end_run.h"
#include "tag_block.h"

namespace {

std::jmp_buf* resume = nullptr;
int ended_with = 0;

bool block_verifies(const std::uint8_t* bytes) {
  distag::tag_block block{};
  std::memcpy(block.bytes.data(), bytes, distag::block_size);
  return distag::verify_checksums(block) == 0;
}

[[noreturn]] void violation(const char* what) {
  (void)std::fprintf(stderr, "invariant broken: %s\n", what);
  std::abort();
}

// Runs the tool over argv; returns 0 for a complete run, or the status a
// failed run ended with.
int run_in_process(int argc, char* argv[]) {
  std::jmp_buf here;
  resume = &here;
  if (setjmp(here) != 0) {
    resume = nullptr;
    if (ended_with != 1) {
      violation("a failed run must end with status 1");
    }
    return ended_with;
  }
  const int status = distag::edit_run(argc, argv);
  resume = nullptr;
  if (status != 0) {
    violation("a complete run must return 0");
  }
  return status;
}

void write_file(const char* path, const std::uint8_t* data, std::size_t size) {
  std::FILE* f = std::fopen(path, "wb");
  if (f == nullptr || (size > 0 && std::fwrite(data, 1, size, f) != size) || std::fclose(f) != 0) {
    violation("cannot write the fixture");
  }
}

std::size_t read_file(const char* path, std::uint8_t* buf, std::size_t capacity) {
  std::FILE* f = std::fopen(path, "rb");
  if (f == nullptr) {
    violation("the fixture is gone");
  }
  const std::size_t n = std::fread(buf, 1, capacity, f);
  (void)std::fclose(f);
  return n;
}

void check_file_change(const std::uint8_t* before, std::size_t before_size,
                       const std::uint8_t* after, std::size_t after_size, int status) {
  if (before_size != after_size) {
    violation("the file changed size");
  }
  std::size_t first = before_size;
  std::size_t last = 0;
  for (std::size_t i = 0; i < before_size; ++i) {
    if (before[i] != after[i]) {
      first = i < first ? i : first;
      last = i;
    }
  }
  if (first == before_size) {
    return;  // unchanged
  }
  if (status != 0) {
    violation("a failed run changed the file");
  }
  // Some 64-byte window must cover every change and verify before and after.
  const std::size_t lowest = last >= distag::block_size ? last - distag::block_size + 1 : 0;
  for (std::size_t o = lowest; o <= first; ++o) {
    if (o + distag::block_size <= before_size && block_verifies(before + o) &&
        block_verifies(after + o)) {
      return;
    }
  }
  violation("the file changed outside one verified block");
}

}  // namespace

// The fuzz build's end of a failed run: back to run_in_process instead of
// exiting the process. The run's frames hold nothing to destroy.
void distag::end_run(int status) {
  ended_with = status;
  std::longjmp(*resume, 1);
}

namespace distag_fuzz {

void enter_scratch_folder() {
  char folder[] = "/tmp/distag-fuzz-XXXXXX";
  if (mkdtemp(folder) == nullptr || chdir(folder) != 0) {
    violation("cannot make a scratch folder");
  }
}

void run_on_file(const std::uint8_t* content, std::size_t size, int argc, char* argv[]) {
  if (size > max_file_size) {
    violation("fixture too large");
  }
  write_file(file_name, content, size);
  const int status = run_in_process(argc, argv);
  static std::uint8_t after[max_file_size + 1];
  const std::size_t after_size = read_file(file_name, after, sizeof after);
  check_file_change(content, size, after, after_size, status);
}

}  // namespace distag_fuzz
