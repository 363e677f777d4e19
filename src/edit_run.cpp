#include "edit_run.h"

#include <cerrno>
#include <cstdarg>
#include <cstdint>
#include <cstdio>

#ifndef _WIN32
#include <sys/types.h>
#endif

#include "end_run.h"
#include "numbers.h"
#include "options.h"
#include "report.h"
#include "tag_block.h"

#if defined(__MINGW32__)
#define DISTAG_PRINTF(fmt, args) __attribute__((format(gnu_printf, fmt, args)))
#elif defined(__GNUC__)
#define DISTAG_PRINTF(fmt, args) __attribute__((format(printf, fmt, args)))
#else
#define DISTAG_PRINTF(fmt, args)
#endif

namespace distag {
namespace {

constexpr std::uint32_t default_offset = 0x360;
constexpr const char* option_letters = "romi";

struct settings {
  std::uint32_t offset = default_offset;
  bool replace_word = false;
  std::uint16_t word_value = 0;
  std::int64_t word_index = 0;
  const char* index_text = "0";  // -i exactly as given, for its message
  bool replace_distortion = false;
  fractions values{};
  std::int16_t a_word = 0;
  std::int16_t b_word = 0;
  std::int16_t c_word = 0;
  int file_index = 0;
};

[[noreturn]] DISTAG_PRINTF(2, 3) void fail(std::FILE* stream, const char* format, ...) {
  va_list args;
  va_start(args, format);
  (void)std::vfprintf(stream, format, args);
  va_end(args);
  end_run(1);
}

[[noreturn]] void usage(const char* program) {
  (void)std::fprintf(stderr,
                     "Usage : %s [-m VAL -i INDEX] [-r \"a b c\"] [-o OFFSET] file\n"
                     "\t\t -m VAL -i INDEX : replaces word at INDEX with value VAL\n"
                     "\t\t -r \"a b c \" : replaces distortion info with a b c (floats)\n"
                     "\t\t -o OFFSET : specify the offset of the 0x0119 tag\n",
                     program);
  end_run(1);
}

// Scans one -r argument; a failure ends the run before anything is opened.
void take_distortion(const char* text, settings& s) {
  if (!scan_fractions(text, s.values)) {
    fail(stderr, "Failed to parse new data\n");
  }
  const float in_order[] = {s.values.a, s.values.b, s.values.c};
  std::int16_t* words[] = {&s.a_word, &s.b_word, &s.c_word};
  for (std::size_t i = 0; i < 3; ++i) {
    if (!fraction_to_word(in_order[i], *words[i])) {
      fail(stderr, "Value %f out of range\n", static_cast<double>(in_order[i]));
    }
  }
  s.replace_distortion = true;
}

settings parse_options(int argc, char* argv[], const char* program) {
  settings s;
  option_scanner scanner(argc, argv, option_letters);
  for (option_event e = scanner.next(); e.kind != option_kind::end; e = scanner.next()) {
    if (e.kind == option_kind::unknown) {
      (void)std::fprintf(stderr, "%s: unknown option -- %c\n", program, e.letter);
      usage(program);
    }
    if (e.kind == option_kind::missing_argument) {
      (void)std::fprintf(stderr, "%s: option requires an argument -- %c\n", program, e.letter);
      usage(program);
    }
    switch (e.letter) {
      case 'o':
        s.offset = parse_unsigned32(e.arg);
        break;
      case 'm':
        s.replace_word = true;
        s.word_value = static_cast<std::uint16_t>(parse_unsigned32(e.arg) & 0xffffU);
        break;
      case 'i':
        s.word_index = parse_decimal(e.arg);
        s.index_text = e.arg;
        break;
      default:  // 'r', the only letter left
        take_distortion(e.arg, s);
        break;
    }
  }
  s.file_index = scanner.operand_index();
  return s;
}

// Positions the stream at a byte offset up to 0xffffffff, past the 2 GiB
// that a 32-bit long can reach.
bool seek_to(std::FILE* file, std::uint32_t offset) {
#ifdef _WIN32
  return _fseeki64(file, static_cast<__int64>(offset), SEEK_SET) == 0;
#else
  static_assert(sizeof(off_t) == 8, "file positions must be 64-bit");
  return fseeko(file, static_cast<off_t>(offset), SEEK_SET) == 0;
#endif
}

// A read or write that a signal cut short is resumed where it stopped.
bool interrupted(std::FILE* file) {
  if (std::ferror(file) != 0 && errno == EINTR) {
    std::clearerr(file);
    return true;
  }
  return false;
}

// Reads all 64 bytes of the block at offset, or reports failure.
bool read_block(std::FILE* file, std::uint32_t offset, tag_block& block) {
  if (!seek_to(file, offset)) {
    return false;
  }
  std::size_t done = 0;
  while (done < block_size) {
    errno = 0;
    done += std::fread(&block.bytes[done], 1, block_size - done, file);
    if (done < block_size && !interrupted(file)) {
      return false;
    }
  }
  return true;
}

// Writes all 64 bytes of the block back at offset and flushes them.
bool write_block(std::FILE* file, std::uint32_t offset, const tag_block& block) {
  if (!seek_to(file, offset)) {
    return false;
  }
  std::size_t done = 0;
  while (done < block_size) {
    errno = 0;
    done += std::fwrite(&block.bytes[done], 1, block_size - done, file);
    if (done < block_size && !interrupted(file)) {
      return false;
    }
  }
  return std::fflush(file) == 0;
}

// Repairs the check words after an edit and writes the block back; a
// failure ends the run at once so that a lost edit is never reported done.
void commit_edit(std::FILE* file, const char* path, std::uint32_t offset, tag_block& block) {
  fix_checksums(block);
  if (!write_block(file, offset, block)) {
    (void)std::fclose(file);
    fail(stdout, "Can't write %s\n", path);
  }
}

}  // namespace

int edit_run(int argc, char* argv[]) {
  const char* program = argc > 0 && argv[0] != nullptr ? argv[0] : "distag";
  const settings s = parse_options(argc, argv, program);
  const bool index_in_range =
      s.word_index >= 0 && s.word_index < static_cast<std::int64_t>(word_count);
  if (s.replace_word && !index_in_range) {
    fail(stderr, "Index %s out of range\n", s.index_text);
  }
  if (s.file_index >= argc) {
    usage(program);
  }
  const char* path = argv[s.file_index];

  std::FILE* file = std::fopen(path, "rb+");
  if (file == nullptr) {
    fail(stdout, "Can't open %s\n", path);
  }
  // The block is read and written whole, so a stdio buffer would only add
  // a copy and, for the read, a larger read than the 64 bytes needed.
  (void)std::setvbuf(file, nullptr, _IONBF, 0);
  (void)std::printf("Opened %s at offset %x\n", path, static_cast<unsigned>(s.offset));

  tag_block block{};
  if (!read_block(file, s.offset, block)) {
    (void)std::fclose(file);
    fail(stdout, "Can't read tag at offset %x\n", static_cast<unsigned>(s.offset));
  }
  if (verify_checksums(block) != 0) {
    (void)std::fclose(file);
    fail(stdout, "Checksum NOK, exiting\n");
  }
  (void)std::printf("Tag flag : %d\n", signed_word_at(block, tag_flag_word));

  if (s.replace_word) {
    const auto index = static_cast<std::size_t>(s.word_index);
    (void)std::printf("Modifiying entry %d to %04hx\n", static_cast<int>(index), s.word_value);
    set_word(block, index, s.word_value);
    commit_edit(file, path, s.offset, block);
  }
  if (s.replace_distortion) {
    (void)std::printf("Replacing data with %f %f %f\n", static_cast<double>(s.values.a),
                      static_cast<double>(s.values.b), static_cast<double>(s.values.c));
    set_word(block, param_a_word, static_cast<std::uint16_t>(s.a_word));
    set_word(block, param_b_word, static_cast<std::uint16_t>(s.b_word));
    set_word(block, param_c_word, static_cast<std::uint16_t>(s.c_word));
    commit_edit(file, path, s.offset, block);
  }

  const bool wrote = s.replace_word || s.replace_distortion;
  if (std::fclose(file) != 0 && wrote) {
    fail(stdout, "Can't write %s\n", path);
  }
  print_report(block);
  return 0;
}

}  // namespace distag
