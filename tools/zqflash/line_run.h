// zqflash's line mode: the same image into a panel on every port at once, with a live view, a
// production record, a summary table and, with --repeat, panel after panel until Ctrl-C.
//
// The communication library serves one serial line per process, so every port runs in a process
// of its own (zqflash itself with a hidden option, reporting on its standard output): each has its
// own retries and time-outs, and a line that fails, hangs or crashes disturbs no other. The image
// is loaded, checked and deciphered once, here, and handed to them as a plain HEX file.
#pragma once

#include "tools/zqflash/zqflash_options.h"

// The highest exit status that counts failed panels.
constexpr int LINE_EXIT_FAILED_MAX = 100;

// Runs the line and returns the exit status: 0 when every panel finished (also when --repeat was
// stopped before any panel); otherwise the number of failed or interrupted panels, at most
// LINE_EXIT_FAILED_MAX; 1 when nothing could start (no port, an unusable image or log); 130 when
// Ctrl-C stopped a run without --repeat.
int RunLine(const ZQFLASH_OPTIONS& options);
