#include "options.h"

namespace distag {

bool option_scanner::accepts(char letter) const noexcept {
  for (const char* p = letters_; *p != '\0'; ++p) {
    if (*p == letter) {
      return true;
    }
  }
  return false;
}

option_event option_scanner::next() noexcept {
  if (done_ || next_ >= argc_) {
    done_ = true;
    return {option_kind::end, '\0', nullptr};
  }
  const char* arg = argv_[next_];
  if (arg[0] != '-' || arg[1] == '\0') {
    done_ = true;  // an operand, or a lone "-" naming a file
    return {option_kind::end, '\0', nullptr};
  }
  if (arg[1] == '-' && arg[2] == '\0') {
    done_ = true;
    ++next_;
    return {option_kind::end, '\0', nullptr};
  }
  // "--help" and the like fall through here as the letter '-'.
  const char letter = arg[1];
  if (!accepts(letter)) {
    done_ = true;
    return {option_kind::unknown, letter, nullptr};
  }
  if (arg[2] != '\0') {
    ++next_;
    return {option_kind::option, letter, arg + 2};
  }
  if (next_ + 1 >= argc_) {
    done_ = true;
    return {option_kind::missing_argument, letter, nullptr};
  }
  next_ += 2;
  return {option_kind::option, letter, argv_[next_ - 1]};
}

}  // namespace distag
