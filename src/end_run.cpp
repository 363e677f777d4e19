#include "end_run.h"

#include <cstdlib>

namespace distag {

void end_run(int status) {
  std::exit(status);
}

}  // namespace distag
