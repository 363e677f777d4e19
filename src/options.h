// A scanner for the command line in the manner of POSIX getopt with every
// option taking an argument: options are taken in order, without reordering,
// up to the first non-option argument, a lone "-", or after "--".
#ifndef DISTAG_OPTIONS_H
#define DISTAG_OPTIONS_H

namespace distag {

enum class option_kind {
  option,            // letter with its argument in arg
  end,               // no more options; next is the index of the first operand
  unknown,           // letter is not one of the accepted letters
  missing_argument,  // letter was the last argument, with nothing after it
};

struct option_event {
  option_kind kind;
  char letter;
  const char* arg;
};

class option_scanner {
 public:
  // letters: the accepted option letters, each of which takes an argument.
  option_scanner(int argc, char* const argv[], const char* letters) noexcept
      : argc_(argc), argv_(argv), letters_(letters) {}

  // The next option. After an end, unknown or missing_argument event the
  // scan is over and next() keeps returning end.
  option_event next() noexcept;

  // Index of the first argument not consumed as an option or its argument.
  int operand_index() const noexcept { return next_; }

 private:
  bool accepts(char letter) const noexcept;

  int argc_;
  char* const* argv_;
  const char* letters_;
  int next_ = 1;
  bool done_ = false;
};

}  // namespace distag

#endif
