#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "patchrunner/patch_command_line.h"

namespace {

std::string Upper(std::string_view text) {
    std::string upper(text);
    for (char& c : upper)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return upper;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view line(reinterpret_cast<const char*>(data), size);
    const std::string_view arguments = ph::patch::ArgumentsOf(line);
    if (arguments.size() > line.size()) __builtin_trap();
    const auto command = ph::patch::ParsePatchCommand(arguments);
    if (!command) return 0;
    // Every field came out of the text with its ";": nothing is invented.
    std::size_t fieldBytes = command->sourceFolder.size() + command->targetFolder.size() + 2;
    for (const auto& name : command->names) {
        if (name.find(';') != std::string::npos) __builtin_trap();
        fieldBytes += name.size() + 1;
    }
    if (fieldBytes > arguments.size()) __builtin_trap();
    const auto steps = ph::patch::PlanInstall(*command, Upper);
    if (steps.size() > command->names.size()) __builtin_trap();
    for (const auto& step : steps)
        if (ph::patch::IsSkippedSource(step.sourcePath, Upper)) __builtin_trap();
    if (const auto work = ph::patch::WorkFolderOf(command->sourceFolder)) {
        if (work->empty() || work->size() >= command->sourceFolder.size()) __builtin_trap();
        if (work->back() == ':') __builtin_trap();
    }
    return 0;
}
