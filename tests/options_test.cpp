#include "options.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// Runs the scanner over args (argv[0] included) and renders what it saw,
// e.g. "o=5 m=7 end@4".
std::string scan(std::vector<std::string> args) {
  std::vector<char*> argv;
  for (std::string& a : args) {
    argv.push_back(a.data());
  }
  argv.push_back(nullptr);
  distag::option_scanner scanner(static_cast<int>(args.size()), argv.data(), "romi");
  std::string seen;
  for (;;) {
    const distag::option_event e = scanner.next();
    switch (e.kind) {
      case distag::option_kind::option:
        seen += std::string(1, e.letter) + "=" + e.arg + " ";
        continue;
      case distag::option_kind::unknown:
        seen += std::string("unknown:") + e.letter;
        break;
      case distag::option_kind::missing_argument:
        seen += std::string("missing:") + e.letter;
        break;
      case distag::option_kind::end:
        seen += "end@" + std::to_string(scanner.operand_index());
        break;
    }
    // Once over, the scan stays over.
    EXPECT_EQ(scanner.next().kind, distag::option_kind::end);
    return seen;
  }
}

TEST(OptionScanner, FollowsGetoptWithoutReordering) {
  struct row {
    std::vector<std::string> args;
    const char* expected;
  };
  const row rows[] = {
      {{"distag"}, "end@1"},
      {{"distag", "f"}, "end@1"},
      {{"distag", "-o", "0x400", "f"}, "o=0x400 end@3"},
      {{"distag", "-o0x400", "-m7", "f"}, "o=0x400 m=7 end@3"},
      // The detached argument is taken whatever it begins with.
      {{"distag", "-r", "-0.1 0 0", "f"}, "r=-0.1 0 0 end@3"},
      {{"distag", "-i", "--", "f"}, "i=-- end@3"},
      // Scanning stops at the first operand; later options are never seen.
      {{"distag", "f", "-m", "5"}, "end@1"},
      {{"distag", "--", "-m", "5"}, "end@2"},
      {{"distag", "-", "-m", "5"}, "end@1"},
      {{"distag", "", "-m"}, "end@1"},
      // All letters take an argument, so the rest of a cluster is it.
      {{"distag", "-mi5", "f"}, "m=i5 end@2"},
      {{"distag", "-x", "f"}, "unknown:x"},
      {{"distag", "-o1", "-:", "f"}, "o=1 unknown::"},
      {{"distag", "--help"}, "unknown:-"},
      {{"distag", "-o"}, "missing:o"},
      {{"distag", "-m", "1", "-r"}, "m=1 missing:r"},
  };
  for (const row& r : rows) {
    std::string joined;
    for (const std::string& a : r.args) {
      joined += "[" + a + "]";
    }
    EXPECT_EQ(scan(r.args), r.expected) << joined;
  }
}

TEST(OptionScanner, EmptyArgumentVector) {
  distag::option_scanner scanner(0, nullptr, "romi");
  EXPECT_EQ(scanner.next().kind, distag::option_kind::end);
  EXPECT_EQ(scanner.operand_index(), 1);
}

}  // namespace
