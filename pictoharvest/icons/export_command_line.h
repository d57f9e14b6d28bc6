#pragma once
// The text the main program hands to Glyphsmith:
//   "/" kind "/" source "/" destination "/" group "/" positions "/"
// with positions written as "p;" per image. The group field is the group
// number in decimal, or the group's text name for a group that has one.
// Portable: no windows.h here.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "pictoharvest/icons/group_key.h"

namespace ph {

enum class ExportKind { Icon = 0, Bitmap = 1, Jpeg = 2 };

struct ExportCommand {
    ExportKind kind = ExportKind::Icon;
    std::string source;
    std::string destination;
    ModuleGroupKey group;
    std::vector<int> positions;
};

enum class ExportCommandError {
    None,
    Framing,      // not "/"-framed, or not exactly five fields
    Kind,         // kind is not 0, 1 or 2
    Source,       // empty source
    Destination,  // empty destination
    Group,        // empty group field, or a number beyond 16 bits
    Positions,    // not a run of "decimal;" items
    NoPositions,  // the positions field names no image
};

ExportCommandError ParseExportCommandLine(std::string_view text, ExportCommand& command);

// Empty when the command cannot be carried: a field holding "/", an empty
// field, or a position that is negative.
std::optional<std::string> BuildExportCommandLine(const ExportCommand& command);

}  // namespace ph
