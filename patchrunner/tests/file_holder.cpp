// file_holder PATH SECONDS: keeps PATH open without sharing for SECONDS,
// as a running program keeps its files; "PATH.held" tells that it holds it.
#include <windows.h>

#include <cstdlib>
#include <string>

int main(int argc, char** argv) {
    if (argc != 3) return 2;
    HANDLE file = CreateFileA(argv[1], GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return 1;
    const std::string flag = std::string(argv[1]) + ".held";
    HANDLE held = CreateFileA(flag.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (held != INVALID_HANDLE_VALUE) CloseHandle(held);
    Sleep(static_cast<DWORD>(std::strtoul(argv[2], nullptr, 10)) * 1000);
    CloseHandle(file);
    return 0;
}
