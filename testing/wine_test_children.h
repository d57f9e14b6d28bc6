#pragma once
// Child processes a Wine test started. The watchdog ends them by their ids
// before it ends the test, so a stuck test leaves nothing running behind.
#include <windows.h>

namespace ph::testing {

void RegisterChildProcess(DWORD processId);
void ForgetChildProcess(DWORD processId);
// Ends every registered child that still runs.
void EndChildProcesses();

}  // namespace ph::testing
