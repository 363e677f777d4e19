// One whole run of the tool over its command line: options, the file, the
// edits and the report. Returns 0 after a complete run; every failure ends
// through end_run(1) after its message.
#ifndef DISTAG_EDIT_RUN_H
#define DISTAG_EDIT_RUN_H

namespace distag {

int edit_run(int argc, char* argv[]);

}  // namespace distag

#endif
