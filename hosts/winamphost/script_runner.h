// Runs a parsed script against the host on a thread timer.
#pragma once

#include <vector>

#include "hosts/winamphost/host_script.h"
#include "hosts/winamphost/winamp_host.h"

// Starts the steps now; they run from the host's message loop. False when
// a step later fails (a frame that could not be saved, say) is reported
// by ScriptFailed.
void StartScript(WinampHost& host, const std::vector<ScriptStep>& steps);
bool ScriptFailed();
