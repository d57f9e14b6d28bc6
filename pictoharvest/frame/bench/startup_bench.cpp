// Start-up of Pictoharvest.exe to an idle message loop, timed against a bare
// window program in the same run: each is started, waited for until its
// loop waits for input (WaitForInputIdle), then closed like a user would.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

namespace {

std::string OwnFolder() {
    char path[MAX_PATH] = {};
    const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string text(path, length);
    return text.substr(0, text.find_last_of('\\') + 1);
}

BOOL CALLBACK CloseVisible(HWND window, LPARAM) {
    if (IsWindowVisible(window)) PostMessageA(window, WM_CLOSE, 0, 0);
    return TRUE;
}

// Milliseconds from process creation to an idle loop, or -1.
double StartToIdle(const std::string& program) {
    STARTUPINFOA startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process{};
    std::string commandLine = "\"" + program + "\"";
    LARGE_INTEGER frequency, start, idle;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&start);
    if (!CreateProcessA(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        nullptr, &startup, &process))
        return -1;
    const DWORD waited = WaitForInputIdle(process.hProcess, 30000);
    QueryPerformanceCounter(&idle);
    EnumThreadWindows(process.dwThreadId, CloseVisible, 0);
    if (WaitForSingleObject(process.hProcess, 15000) != WAIT_OBJECT_0) TerminateProcess(process.hProcess, 1);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    if (waited != 0) return -1;
    return 1000.0 * static_cast<double>(idle.QuadPart - start.QuadPart) / static_cast<double>(frequency.QuadPart);
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values.empty() ? -1 : values[values.size() / 2];
}

}  // namespace

int main() {
    const std::string folder = OwnFolder();
    const std::string program = folder + "..\\bin\\Pictoharvest.exe";
    const std::string bare = folder + "..\\bench-helpers\\bench_bare_window.exe";
    constexpr int kRounds = 7;
    std::vector<double> programTimes, bareTimes;
    StartToIdle(bare);  // the first process of a session pays for loading the DLLs
    for (int round = 0; round < kRounds; ++round) {
        const double b = StartToIdle(bare);
        const double p = StartToIdle(program);
        if (b < 0 || p < 0) {
            std::printf("start-up benchmark: a program did not reach its message loop\n");
            return 1;
        }
        bareTimes.push_back(b);
        programTimes.push_back(p);
    }
    const double b = Median(bareTimes);
    const double p = Median(programTimes);
    std::printf("start-up to idle message loop, median of %d (ms): bare window %.1f, Pictoharvest %.1f, ratio %.2f\n",
                kRounds, b, p, b > 0 ? p / b : 0.0);
    return 0;
}
