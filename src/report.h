// The report printed at the end of every complete run.
#ifndef DISTAG_REPORT_H
#define DISTAG_REPORT_H

#include "tag_block.h"

namespace distag {

// Writes the block to standard output: words 0-15 in hexadecimal, the
// checksum status, word 11, eleven words divided by word 11 and the summary
// line. Never changes the block.
void print_report(const tag_block& block);

}  // namespace distag

#endif
