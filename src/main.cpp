// distag: checks and edits the 64-byte distortion tag block at a byte offset
// of a file, repairs its check words after each edit, and reports it.
#include "edit_run.h"

int main(int argc, char* argv[]) {
  return distag::edit_run(argc, argv);
}
