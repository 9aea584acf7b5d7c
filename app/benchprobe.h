#pragma once
// Start-up figures for the benchmark that runs the program as a whole process.
// Does nothing unless the benchmark set LEXORIA_BENCH_FD in the environment;
// then it writes to that file descriptor, one line per event:
//   "<window> <ns>"  when a top-level window has been painted (CLOCK_MONOTONIC)
//   "hwm <kB>"       the process's peak resident memory, after the last window
// and ends the process. LEXORIA_BENCH_CLICK=1 clicks the first window painted
// (as a user does on the splash), LEXORIA_BENCH_UNTIL=<object name> names the
// window whose painting ends the run (by default the first), and
// LEXORIA_BENCH_SHOW=<name>,<name>... top-level windows to show after it, the
// run ending when they are all painted.

namespace BenchProbe {

// Call once the QApplication exists and before the first window is shown.
void installFromEnvironment();

} // namespace BenchProbe
