/* The least a run can do: open the file, read 64 bytes at the offset, write
 * them back, close it, and print as much formatted text as a report (sixteen
 * "%04hx " words and seventeen "%f" values). The benchmark's yardstick. */
#include <fcntl.h>
#include <stdio.h>
#include <stdlib.h>
#include <unistd.h>

int main(int argc, char* argv[]) {
  if (argc != 3) {
    (void)fputs("usage: floor OFFSET FILE\n", stderr);
    return 2;
  }
  const off_t offset = (off_t)strtoull(argv[1], NULL, 0);
  unsigned char block[64];
  const int fd = open(argv[2], O_RDWR);
  if (fd < 0 || pread(fd, block, 64, offset) != 64 || pwrite(fd, block, 64, offset) != 64 ||
      close(fd) != 0) {
    return 1;
  }
  for (size_t k = 0; k < 16; ++k) {
    (void)printf("%04hx ", (unsigned short)(block[2 * k] | block[2 * k + 1] << 8));
  }
  (void)putchar('\n');
  const double divisor = (double)(short)(block[22] | block[23] << 8);
  for (size_t k = 0; k < 17; ++k) {
    (void)printf("%f\n", (double)(short)(block[2 * k + 30] | block[2 * k + 31] << 8) / divisor);
  }
  return 0;
}
