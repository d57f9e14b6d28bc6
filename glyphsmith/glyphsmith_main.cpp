// Glyphsmith: writes the icon files, bitmaps and JPEG pictures that
// Pictoharvest asks for, and lists or extracts icons for people and scripts.
#include <windows.h>

#include <string>
#include <string_view>
#include <vector>

#include "glyphsmith/glyphsmith_cli.h"
#include "glyphsmith/glyphsmith_console.h"
#include "glyphsmith/glyphsmith_export.h"

namespace {

using namespace ph::glyphsmith;

// The text after the program's own name, as it was given: the export
// command line holds paths with blanks and no quotes, so it is not split.
std::string_view CommandTail(std::string_view line) {
    std::size_t at = 0;
    if (!line.empty() && line[0] == '"') {
        const std::size_t close = line.find('"', 1);
        at = close == std::string_view::npos ? line.size() : close + 1;
    } else {
        while (at < line.size() && line[at] != ' ' && line[at] != '\t') ++at;
    }
    line.remove_prefix(at);
    while (!line.empty() && (line.front() == ' ' || line.front() == '\t')) line.remove_prefix(1);
    while (!line.empty() && (line.back() == ' ' || line.back() == '\t' || line.back() == '\r' || line.back() == '\n'))
        line.remove_suffix(1);
    return line;
}

int ExportMode(std::string_view text) {
    const Texts texts{ProgramUsesEnglish()};
    ph::ExportCommand command;
    Outcome outcome;
    if (ph::ParseExportCommandLine(text, command) != ph::ExportCommandError::None)
        outcome = {Failure::CommandLine, texts.CommandLine(std::string(text))};
    else
        outcome = RunExport(command, texts);
    if (outcome) return 0;
    WriteError(outcome.reason + "\r\n");
    // Started hidden by the main program: the box is the only way the user
    // learns that nothing was saved.
    ShowFailure(outcome.reason);
    return ExitCode(outcome.failure);
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    const std::string_view tail = CommandTail(GetCommandLineA());
    if (!tail.empty() && tail.front() == '/') return ExportMode(tail);
    std::vector<std::string> arguments;
    for (int i = 1; i < __argc; ++i) arguments.emplace_back(__argv[i]);
    return RunCommandLineFace(arguments);
}
