/* spawn_timer N CMD_A... -- CMD_B...: runs A and B alternately N times each,
 * their output to /dev/null, and prints the median and mean wall time of one
 * run of each, in microseconds: "A median mean" and "B median mean". */
#include <fcntl.h>
#include <spawn.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

extern char** environ;

static double now_us(void) {
  struct timespec ts;
  clock_gettime(CLOCK_MONOTONIC, &ts);
  return (double)ts.tv_sec * 1e6 + (double)ts.tv_nsec / 1e3;
}

static double run_once(char** argv, posix_spawn_file_actions_t* actions) {
  const double start = now_us();
  pid_t pid;
  if (posix_spawn(&pid, argv[0], actions, NULL, argv, environ) != 0) {
    perror(argv[0]);
    exit(1);
  }
  int status;
  if (waitpid(pid, &status, 0) < 0 || !WIFEXITED(status) || WEXITSTATUS(status) != 0) {
    (void)fprintf(stderr, "%s failed\n", argv[0]);
    exit(1);
  }
  return now_us() - start;
}

static int compare(const void* a, const void* b) {
  const double x = *(const double*)a, y = *(const double*)b;
  return (x > y) - (x < y);
}

static void summary(const char* name, double* t, int n) {
  double sum = 0;
  for (int i = 0; i < n; ++i) {
    sum += t[i];
  }
  qsort(t, (size_t)n, sizeof *t, compare);
  (void)printf("%s %.1f %.1f\n", name, t[n / 2], sum / n);
}

int main(int argc, char* argv[]) {
  if (argc < 5) {
    (void)fputs("usage: spawn_timer N CMD_A... -- CMD_B...\n", stderr);
    return 2;
  }
  const int n = (int)strtol(argv[1], NULL, 10);
  char** a = &argv[2];
  char** b = NULL;
  for (int i = 2; i < argc; ++i) {
    if (strcmp(argv[i], "--") == 0) {
      argv[i] = NULL;
      b = &argv[i + 1];
    }
  }
  if (n <= 0 || b == NULL || b[0] == NULL) {
    (void)fputs("spawn_timer: need N > 0 and two commands\n", stderr);
    return 2;
  }
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
  double* ta = malloc(sizeof(double) * (size_t)n);
  double* tb = malloc(sizeof(double) * (size_t)n);
  if (ta == NULL || tb == NULL) {
    return 1;
  }
  for (int i = 0; i < 20; ++i) { /* warm the page cache and the loader */
    run_once(a, &actions);
    run_once(b, &actions);
  }
  for (int i = 0; i < n; ++i) {
    ta[i] = run_once(a, &actions);
    tb[i] = run_once(b, &actions);
  }
  summary("A", ta, n);
  summary("B", tb, n);
  return 0;
}
