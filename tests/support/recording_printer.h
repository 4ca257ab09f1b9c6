#pragma once

#include "shell/print/text_print_job.h"

// The tests read printouts as text.
using RecordingPrinter = TextPrinter;
