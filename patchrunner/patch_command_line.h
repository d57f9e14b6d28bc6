#pragma once
// The installer's command line and the rules that follow from it, free of
// any system call: the Win32 side hands in what only the system knows (the
// user's locale for upper case).
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace ph::patch {

// What the update workflow sends: source folder, target folder, then one
// bare file name per field, every field ended by ";".
struct PatchCommand {
    std::string sourceFolder;
    std::string targetFolder;
    std::vector<std::string> names;
};

// The text after the program's own name (quoted or not) and the blanks
// that follow it, as Windows hands a whole command line to a program.
std::string_view ArgumentsOf(std::string_view commandLine);

// Fewer than two ";" gives nothing: the installer then does nothing at all.
// Text after the last ";" is not a field and is dropped.
std::optional<PatchCommand> ParsePatchCommand(std::string_view arguments);

// Upper case as the user's locale has it; the source path is tested in it.
using UpperCase = std::function<std::string(std::string_view)>;

// Set-up programs, notes and information files of an update are not
// installed: the words count anywhere in the path, folders included.
bool IsSkippedSource(std::string_view sourcePath, const UpperCase& upper);

// One file to install: copied from source to target, or scheduled.
struct InstallStep {
    std::string sourcePath;
    std::string targetPath;
};

// The files to install, in command-line order, without the skipped ones.
// An empty field names no file and is left out too: its paths would be the
// two folders themselves.
std::vector<InstallStep> PlanInstall(const PatchCommand& command, const UpperCase& upper);

// The folder the update was unpacked into: the source folder without its
// last component. Nothing when that would leave no folder, or a drive or
// its root, which the clean-up must never delete.
std::optional<std::string> WorkFolderOf(std::string_view sourceFolder);

// The main program, started once the files are in place.
std::string MainProgramOf(std::string_view targetFolder);

}  // namespace ph::patch
