// main() of the Wine test programs. A watchdog thread ends the process when
// a test blocks (a modal box nobody answers, a wait that never returns), so
// one stuck test fails instead of hanging the whole run.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <vector>

#include <gtest/gtest.h>

#include "wine_test_children.h"

namespace ph::testing {
namespace {

std::mutex childrenLock;
std::vector<DWORD> children;

}  // namespace

void RegisterChildProcess(DWORD processId) {
    std::lock_guard<std::mutex> guard(childrenLock);
    children.push_back(processId);
}

void ForgetChildProcess(DWORD processId) {
    std::lock_guard<std::mutex> guard(childrenLock);
    children.erase(std::remove(children.begin(), children.end(), processId), children.end());
}

void EndChildProcesses() {
    std::lock_guard<std::mutex> guard(childrenLock);
    for (DWORD id : children) {
        if (HANDLE process = OpenProcess(PROCESS_TERMINATE, FALSE, id)) {
            TerminateProcess(process, 3);
            CloseHandle(process);
        }
    }
    children.clear();
}

}  // namespace ph::testing

namespace {

DWORD WINAPI Watchdog(LPVOID param) {
    const DWORD limit = static_cast<DWORD>(reinterpret_cast<UINT_PTR>(param));
    Sleep(limit * 1000);
    std::fprintf(stderr, "watchdog: test still running after %lu s, ending it\n",
                 static_cast<unsigned long>(limit));
    std::fflush(stderr);
    ph::testing::EndChildProcesses();
    TerminateProcess(GetCurrentProcess(), 3);
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    DWORD seconds = 45;
    if (const char* text = std::getenv("PH_WATCHDOG_SECONDS")) seconds = std::strtoul(text, nullptr, 10);
    if (seconds > 0) {
        HANDLE thread = CreateThread(nullptr, 0, Watchdog,
                                     reinterpret_cast<LPVOID>(static_cast<UINT_PTR>(seconds)), 0, nullptr);
        if (thread) CloseHandle(thread);
    }
    return RUN_ALL_TESTS();
}
