#include "pictoharvest/icons/export_command_line.h"

#include <array>
#include <charconv>

namespace ph {

namespace {

constexpr int kLargestGroupNumber = 0xFFFF;
constexpr int kLargestPosition = 0xFFFF;  // a group holds at most 65535 images

bool IsDecimal(std::string_view text) {
    if (text.empty()) return false;
    for (char c : text)
        if (c < '0' || c > '9') return false;
    return true;
}

// Decimal text to a number no larger than limit.
std::optional<int> ParseNumber(std::string_view text, int limit) {
    if (!IsDecimal(text)) return std::nullopt;
    int value = 0;
    auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc{} || end != text.data() + text.size() || value > limit) return std::nullopt;
    return value;
}

}  // namespace

ExportCommandError ParseExportCommandLine(std::string_view text, ExportCommand& command) {
    command = {};
    if (text.size() < 2 || text.front() != '/' || text.back() != '/') return ExportCommandError::Framing;
    const std::string_view inner = text.substr(1, text.size() - 2);

    std::array<std::string_view, 5> fields;
    std::size_t start = 0;
    for (std::size_t i = 0; i < fields.size(); ++i) {
        const std::size_t slash = inner.find('/', start);
        const bool last = i + 1 == fields.size();
        if (last != (slash == std::string_view::npos)) return ExportCommandError::Framing;
        fields[i] = inner.substr(start, last ? std::string_view::npos : slash - start);
        start = slash + 1;
    }

    const auto [kindText, source, destination, group, positions] = fields;
    if (kindText == "0") command.kind = ExportKind::Icon;
    else if (kindText == "1") command.kind = ExportKind::Bitmap;
    else if (kindText == "2") command.kind = ExportKind::Jpeg;
    else return ExportCommandError::Kind;

    if (source.empty()) return ExportCommandError::Source;
    if (destination.empty()) return ExportCommandError::Destination;
    command.source = source;
    command.destination = destination;

    if (group.empty()) return ExportCommandError::Group;
    if (IsDecimal(group)) {
        const auto number = ParseNumber(group, kLargestGroupNumber);
        if (!number) return ExportCommandError::Group;
        command.group.number = *number;
    } else {
        command.group.name = group;
    }

    std::string_view rest = positions;
    while (!rest.empty()) {
        const std::size_t semicolon = rest.find(';');
        if (semicolon == std::string_view::npos) return ExportCommandError::Positions;
        const auto position = ParseNumber(rest.substr(0, semicolon), kLargestPosition);
        if (!position) return ExportCommandError::Positions;
        if (command.positions.size() == kLargestPosition) return ExportCommandError::Positions;
        command.positions.push_back(*position);
        rest.remove_prefix(semicolon + 1);
    }
    if (command.positions.empty()) return ExportCommandError::NoPositions;
    return ExportCommandError::None;
}

std::optional<std::string> BuildExportCommandLine(const ExportCommand& command) {
    const auto carried = [](std::string_view field) {
        return !field.empty() && field.find('/') == std::string_view::npos;
    };
    if (!carried(command.source) || !carried(command.destination)) return std::nullopt;
    if (command.group.IsNamed() && (!carried(command.group.name) || IsDecimal(command.group.name)))
        return std::nullopt;

    std::string text = "/";
    text += std::to_string(static_cast<int>(command.kind));
    text += '/';
    text += command.source;
    text += '/';
    text += command.destination;
    text += '/';
    text += command.group.IsNamed() ? command.group.name : std::to_string(command.group.number);
    text += '/';
    for (int position : command.positions) {
        if (position < 0) return std::nullopt;
        text += std::to_string(position);
        text += ';';
    }
    text += '/';
    return text;
}

}  // namespace ph
