#include "patchrunner/patch_command_line.h"

namespace ph::patch {
namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

}  // namespace

std::string_view ArgumentsOf(std::string_view commandLine) {
    std::size_t at = 0;
    if (!commandLine.empty() && commandLine[0] == '"') {
        const std::size_t close = commandLine.find('"', 1);
        at = close == std::string_view::npos ? commandLine.size() : close + 1;
    }
    // A program name runs to the first blank; a quoted one may go on after
    // its closing quote until a blank, as Windows reads it.
    while (at < commandLine.size() && !IsBlank(commandLine[at])) ++at;
    while (at < commandLine.size() && IsBlank(commandLine[at])) ++at;
    return commandLine.substr(at);
}

std::optional<PatchCommand> ParsePatchCommand(std::string_view arguments) {
    PatchCommand command;
    const std::size_t first = arguments.find(';');
    if (first == std::string_view::npos) return std::nullopt;
    command.sourceFolder = arguments.substr(0, first);
    arguments.remove_prefix(first + 1);
    const std::size_t second = arguments.find(';');
    if (second == std::string_view::npos) return std::nullopt;
    command.targetFolder = arguments.substr(0, second);
    arguments.remove_prefix(second + 1);
    for (std::size_t end = arguments.find(';'); end != std::string_view::npos; end = arguments.find(';')) {
        command.names.emplace_back(arguments.substr(0, end));
        arguments.remove_prefix(end + 1);
    }
    return command;
}

bool IsSkippedSource(std::string_view sourcePath, const UpperCase& upper) {
    const std::string text = upper(sourcePath);
    for (std::string_view word : {"SETUP", "HINWEIS", "INFO"})
        if (text.find(word) != std::string::npos) return true;
    return false;
}

std::vector<InstallStep> PlanInstall(const PatchCommand& command, const UpperCase& upper) {
    std::vector<InstallStep> steps;
    steps.reserve(command.names.size());
    for (const std::string& name : command.names) {
        if (name.empty()) continue;
        InstallStep step{command.sourceFolder + "\\" + name, command.targetFolder + "\\" + name};
        if (IsSkippedSource(step.sourcePath, upper)) continue;
        steps.push_back(std::move(step));
    }
    return steps;
}

std::optional<std::string> WorkFolderOf(std::string_view sourceFolder) {
    const std::size_t last = sourceFolder.rfind('\\');
    if (last == std::string_view::npos) return std::nullopt;
    const std::string_view folder = sourceFolder.substr(0, last);
    std::string_view trimmed = folder;
    while (!trimmed.empty() && (trimmed.back() == '\\' || trimmed.back() == '/')) trimmed.remove_suffix(1);
    if (trimmed.empty() || trimmed.back() == ':') return std::nullopt;
    return std::string(folder);
}

std::string MainProgramOf(std::string_view targetFolder) {
    return std::string(targetFolder) + "\\Pictoharvest.exe";
}

}  // namespace ph::patch
