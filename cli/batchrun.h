#pragma once

#include "cli/batchoptions.h"

#include <cstdio>

// Runs the command-line tool's job: every photo not in a pair and every pair, processed and
// written into the output folder on options.jobs threads, each worker holding at most the two
// photos of its output. Names the unreadable inputs and unwritten files on messages, with the
// progress unless quiet (redrawn in place on a terminal). Returns the exit status: 0 when every
// output was written, 1 otherwise; nothing is written when an output exists and force is off.
int runBatch(const BatchOptions &options, std::FILE *messages, bool terminal);
