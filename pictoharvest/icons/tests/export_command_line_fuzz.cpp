#include <cstddef>
#include <cstdint>
#include <string_view>

#include "pictoharvest/icons/export_command_line.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    ph::ExportCommand command;
    if (ph::ParseExportCommandLine(text, command) != ph::ExportCommandError::None) return 0;
    // Whatever reads must build again and read back the same.
    const auto built = ph::BuildExportCommandLine(command);
    if (!built) __builtin_trap();
    ph::ExportCommand again;
    if (ph::ParseExportCommandLine(*built, again) != ph::ExportCommandError::None) __builtin_trap();
    if (again.kind != command.kind || again.source != command.source || again.destination != command.destination ||
        again.group != command.group || again.positions != command.positions)
        __builtin_trap();
    return 0;
}
