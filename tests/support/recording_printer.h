#pragma once

#include "shell/text_print_job.h"

// The tests read printouts as text.
using RecordingPrinter = TextPrinter;
