#include "report.h"

#include <cstddef>
#include <cstdio>

namespace distag {
namespace {

constexpr std::size_t hex_words = 16;  // words 0-15 go on the hexadecimal line

// The words shown divided by word 11, in the order they are printed.
constexpr std::size_t quotient_words[] = {17, 16, 4, 12, 23, 8, 26, 27, 10, 20, 29};

// The m of the summary line. With -1, o = 32768/32767 exactly undoes the
// 32767 scale of -r, so u, v and w read back the fractions that -r takes.
constexpr double summary_m = -1.0;
constexpr double fraction_unit = 32768.0;

double word_value(const tag_block& block, std::size_t k) {
  return static_cast<double>(signed_word_at(block, k));
}

}  // namespace

void print_report(const tag_block& block) {
  (void)std::fputs("Tag data :\n", stdout);
  for (std::size_t k = 0; k < hex_words; ++k) {
    (void)std::printf("%04hx ", word_at(block, k));
  }
  (void)std::fputs(verify_checksums(block) != 0 ? "\nChecksum NOK\n" : "\nChecksum OK\n", stdout);

  const double divisor = word_value(block, param_c_word);
  (void)std::printf("%d\n", signed_word_at(block, param_c_word));
  // A zero divisor is not trapped: the quotients print as inf or nan.
  for (const std::size_t k : quotient_words) {
    (void)std::printf("%f\n", word_value(block, k) / divisor);
  }

  const double o = 1.0 / (summary_m / fraction_unit + 1.0);
  const double u = o * (word_value(block, param_a_word) / fraction_unit);
  const double v = o * (word_value(block, param_b_word) / fraction_unit);
  const double w = o * (divisor / fraction_unit);
  (void)std::printf("%f %f %f %f %f\n", summary_m, o, u, v, w);
}

}  // namespace distag
