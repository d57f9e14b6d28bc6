// Filling the file list from a folder of many files, timed against the bare
// shell enumeration the fill needs (each child's two names, its attributes
// and its find data), in one run; and the fill at two sizes, for growth.
#include <windows.h>
#include <commctrl.h>
#include <shlobj.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "pictoharvest/browser/shell_services.h"
#include "pictoharvest/frame/app_state.h"
#include "pictoharvest/frame/main_window.h"

namespace {

double Now() {
    LARGE_INTEGER frequency, counter;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&counter);
    return 1000.0 * static_cast<double>(counter.QuadPart) / static_cast<double>(frequency.QuadPart);
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// A folder on the Unix side with `count` small files of mixed names.
std::string MakeFolder(int count) {
    const std::string folder = "Z:\\tmp\\ph-bench-list-" + std::to_string(GetCurrentProcessId()) + "-" +
                               std::to_string(count);
    CreateDirectoryA(folder.c_str(), nullptr);
    for (int i = 0; i < count; ++i) {
        // Names in an order unlike the sorted one, so the sort has work.
        const unsigned scrambled = static_cast<unsigned>(i) * 2654435761u;
        const std::string name = folder + "\\f" + std::to_string(scrambled % 1000003) + "_" + std::to_string(i) +
                                 (i % 3 == 0 ? ".exe" : ".txt");
        HANDLE file = CreateFileA(name.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr);
        if (file == INVALID_HANDLE_VALUE) continue;
        DWORD written = 0;
        WriteFile(file, name.data(), static_cast<DWORD>(i % 64), &written, nullptr);
        CloseHandle(file);
    }
    return folder;
}

void RemoveFolder(const std::string& folder) {
    WIN32_FIND_DATAA found{};
    HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
                DeleteFileA((folder + "\\" + found.cFileName).c_str());
        } while (FindNextFileA(search, &found));
        FindClose(search);
    }
    RemoveDirectoryA(folder.c_str());
}

ph::IdList ParseName(IShellFolder* desktop, const std::string& path) {
    std::wstring wide(path.begin(), path.end());
    ph::IdList list;
    ULONG eaten = 0;
    if (FAILED(desktop->ParseDisplayName(nullptr, nullptr, wide.data(), &eaten, list.Put(), nullptr)))
        list.Reset();
    return list;
}

// What the fill asks of the shell, and nothing else.
int BareEnumeration(IShellFolder* folder) {
    int items = 0;
    ph::ChildEnumerator children(folder);
    while (ph::IdList child = children.Next()) {
        const std::string parsing = ph::DisplayNameOf(folder, child.Get(), SHGDN_FORPARSING);
        const ULONG attributes = ph::AttributesOf(folder, child.Get(), SFGAO_FOLDER);
        WIN32_FIND_DATAA found{};
        SHGetDataFromIDListA(folder, child.Get(), SHGDFIL_FINDDATA, &found, sizeof(found));
        const std::string name = ph::DisplayNameOf(folder, child.Get(), SHGDN_NORMAL);
        items += !parsing.empty() && !name.empty() && (attributes & SFGAO_FOLDER) == 0;
    }
    return items;
}

struct Timing {
    double bare = 0;
    double fill = 0;
};

Timing Measure(ph::TForm1& form, int count, int rounds) {
    const std::string folder = MakeFolder(count);
    ph::ComPtr<IShellFolder> desktop = ph::DesktopFolder();
    ph::IdList absolute = ParseName(desktop.Get(), folder);
    ph::ComPtr<IShellFolder> bound = ph::BindToFolder(desktop.Get(), absolute.Get());
    Timing timing;
    if (!bound) {
        std::printf("cannot bind %s\n", folder.c_str());
        RemoveFolder(folder);
        return timing;
    }
    std::vector<double> bare, fill;
    form.FillShellList(bound.Get(), absolute.Get());  // warms the shell's caches for both
    for (int round = 0; round < rounds; ++round) {
        double start = Now();
        const int seen = BareEnumeration(bound.Get());
        bare.push_back(Now() - start);
        start = Now();
        form.FillShellList(bound.Get(), absolute.Get());
        fill.push_back(Now() - start);
        if (seen != count || form.ListView1.ItemCount() != count)
            std::printf("  (listed %d and %d of %d)\n", seen, form.ListView1.ItemCount(), count);
    }
    form.ClearShellList();
    RemoveFolder(folder);
    timing.bare = Median(bare);
    timing.fill = Median(fill);
    return timing;
}

}  // namespace

int main() {
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_WIN95_CLASSES | ICC_COOL_CLASSES | ICC_USEREX_CLASSES};
    InitCommonControlsEx(&controls);
    ph::InitializeUnit();
    ph::TForm1 form;
    constexpr int kRounds = 3;
    const Timing small = Measure(form, 10000, kRounds);
    const Timing large = Measure(form, 50000, kRounds);
    if (small.fill <= 0 || large.fill <= 0) return 1;
    std::printf("file list fill, median of %d (ms): 10,000 files %.0f (bare enumeration %.0f), "
                "50,000 files %.0f (bare enumeration %.0f)\n",
                kRounds, small.fill, small.bare, large.fill, large.bare);
    std::printf("fill / bare enumeration at 50,000 files: %.2f (goal 1.30 or better)\n", large.fill / large.bare);
    const double nLogN = 5.0 * std::log(50000.0) / std::log(10000.0);
    std::printf("growth 10,000 -> 50,000 files: fill x%.2f, bare x%.2f (n log n would be x%.2f)\n",
                large.fill / small.fill, large.bare / small.bare, nLogN);
    return 0;
}
