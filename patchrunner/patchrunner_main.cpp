// Patchrunner: installs an unpacked update into the program folder and
// starts the main program again. It has no window; its one question is a
// system message box.
#include <windows.h>

#include "patchrunner/patch_command_line.h"
#include "patchrunner/patch_system.h"

namespace ph::patch {
namespace {

constexpr char kRestartQuestion[] =
    "Einige der zu aktualisierenden Dateien sind geöffnet und werden erst beim nächsten Systemstart "
    "aktualisiert\n\nSystem jetzt neu starten?";
constexpr char kCaption[] = "Pictoharvest";

void Install() {
    // The main program's only time to end before its files are replaced.
    Sleep(200);
    const auto command = ParsePatchCommand(ArgumentsOf(GetCommandLineA()));
    if (!command) return;

    bool rebootPending = false;
    // A file that could be neither copied nor scheduled: its new version
    // exists only in the work folder, which is therefore kept.
    bool notInstalled = false;
    for (const InstallStep& step : PlanInstall(*command, LocaleUpperCase)) {
        if (CopyFileA(step.sourcePath.c_str(), step.targetPath.c_str(), FALSE)) continue;
        // In use: Windows replaces it at the next start, from the work folder.
        if (MoveFileExA(step.sourcePath.c_str(), step.targetPath.c_str(),
                        MOVEFILE_REPLACE_EXISTING | MOVEFILE_DELAY_UNTIL_REBOOT))
            rebootPending = true;
        else
            notInstalled = true;
    }

    if (rebootPending &&
        MessageBoxExA(nullptr, kRestartQuestion, kCaption, MB_YESNO | MB_ICONQUESTION | MB_SYSTEMMODAL, 0) == IDYES)
        RestartSystem();
    Sleep(500);
    if (!rebootPending && !notInstalled)
        if (const auto workFolder = WorkFolderOf(command->sourceFolder)) DeleteFolder(*workFolder);
    // Also when a restart was just requested: it may end the program again.
    StartProgram(MainProgramOf(command->targetFolder));
}

}  // namespace
}  // namespace ph::patch

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    try {
        ph::patch::Install();
    } catch (...) {
        // Out of memory at worst; the installer ends quietly like any other end.
    }
    return 0;
}
