#pragma once

#include "shell/unattended_dialogs.h"

// The window tests script the dialogs' answers.
using ScriptedDialogs = UnattendedDialogs;
