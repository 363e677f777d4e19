// The one way a failed run ends. The tool exits; a build that drives runs
// in-process links its own definition that returns control to it instead.
#ifndef DISTAG_END_RUN_H
#define DISTAG_END_RUN_H

namespace distag {

// Ends the run with status (1 for every failure). Never returns.
[[noreturn]] void end_run(int status);

}  // namespace distag

#endif
