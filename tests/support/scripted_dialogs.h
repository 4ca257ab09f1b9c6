#pragma once

#include "shell/core/unattended_dialogs.h"

// The window tests script the dialogs' answers.
using ScriptedDialogs = UnattendedDialogs;
