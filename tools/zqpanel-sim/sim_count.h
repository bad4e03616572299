// zqpanel-sim --count N: N simulated panels at once, each a zqpanel-sim process of its own on its
// own pseudo-terminal, with its own flash file and fault options.
#pragma once

#include "tools/zqpanel-sim/sim_options.h"

#include <signal.h>

#include <string>

// The flash file of panel (1-based): "flash.bin" -> "flash-3.bin", "flash" -> "flash-3"; empty
// stays empty.
std::string PanelFlashFile(const std::string& flashFile, int panel);

// Starts the panels (arguments: the command line as given, its --count, --panel, --flash and
// --exit-on-stdin-eof left out for the panels), prints their devices one a line in panel order,
// then waits, with runMask as the signal mask, for a stop signal (or the end of standard input
// when asked). Then stops every panel (each writes its flash file) and prints "panel K: " and its
// statistics line. Returns 0 when every panel started and ended well, otherwise 1 (the failure
// named on standard error); a panel that failed to start stops the others at once.
int RunPanels(const QStringList& arguments, const SIM_OPTIONS& options, const sigset_t& runMask,
              volatile sig_atomic_t& stop);
