#include "glyphsmith/glyphsmith_cli.h"

#include <windows.h>

#include <set>

#include "glyphsmith/glyphsmith_console.h"
#include "glyphsmith/glyphsmith_export.h"
#include "pictoharvest/icons/dib_geometry.h"
#include "pictoharvest/icons/icon_read.h"
#include "pictoharvest/icons/group_caption.h"
#include "pictoharvest/icons/icon_file_writer.h"
#include "pictoharvest/icons/module_icons.h"

namespace ph::glyphsmith {

namespace {

constexpr const char* kUsage =
    "usage: Glyphsmith.exe --list FILE\r\n"
    "       Glyphsmith.exe --extract FILE OUTDIR [--format ico|bmp|jpg]\r\n"
    "       Glyphsmith.exe /KIND/SOURCE/DESTINATION/GROUP/POSITIONS/\r\n";

struct Source {
    std::string path;
    std::string base;
    std::vector<ModuleGroupKey> groups;  // one group 0 for an icon file
};

// The groups of a file, or a message on stderr when it has none to read.
bool OpenSource(const std::string& path, Source& source) {
    source.path = path;
    source.base = ModuleBaseName(path);
    if (IsIconFilePath(path)) {
        source.groups = {ModuleGroupKey{0, ""}};
        return true;
    }
    auto keys = ListModuleGroupKeys(path);
    if (!keys) {
        WriteError(path + ": " + std::string(IconReadMessage(IconReadError::LoadingModule)) + "\r\n");
        return false;
    }
    source.groups = std::move(*keys);
    return true;
}

std::string FileNamePart(std::string text) {
    for (char& c : text)
        if (std::string_view("\\/:*?\"<>|").find(c) != std::string_view::npos || static_cast<unsigned char>(c) < 32)
            c = '_';
    return text;
}

int List(const std::string& path) {
    Source source;
    if (!OpenSource(path, source)) return ExitCode(Failure::Source);
    const Texts texts{true};
    int code = 0;
    for (std::size_t j = 0; j < source.groups.size(); ++j) {
        const auto& key = source.groups[j];
        WriteOut(GroupCaption(source.base, static_cast<int>(j)) + "\t" + GroupText(key) + "\r\n");
        GroupImages group;
        bool found = true;
        const Outcome read = ReadGroup(path, key, texts, group, found);
        for (std::size_t i = 0; i < group.images.size(); ++i) {
            const auto& image = group.images[i];
            const auto shown = ReportImageGeometry(image.bits);
            const std::string details = shown ? ImageDetails(shown->width, shown->height, shown->bitCount)
                                              : ImageDetails(image.width, image.height, image.colourBits);
            WriteOut("\t" + ImageCaption(static_cast<int>(i), group.numbers[i]) + "\t" + details + "\r\n");
        }
        if (!read) {
            WriteError(read.reason + "\r\n");
            code = ExitCode(read.failure);
        }
    }
    return code;
}

int Extract(const std::string& path, std::string folder, const std::string& format) {
    Source source;
    if (!OpenSource(path, source)) return ExitCode(Failure::Source);
    if (!folder.empty() && folder.back() != '\\' && folder.back() != '/') folder += '\\';
    CreateDirectoryA(folder.c_str(), nullptr);
    const Texts texts{true};
    const std::uint32_t background = format == "ico" ? 0 : PictureBackground();
    std::set<int> written;  // image numbers already saved as pictures
    int code = 0;
    const auto fail = [&code](const Outcome& outcome) {
        WriteError(outcome.reason + "\r\n");
        code = ExitCode(outcome.failure);
    };

    // Reading every group of one module through a single mapping.
    OwnedDataModule module;
    if (!IsIconFilePath(path)) module = LoadDataModule(path);
    for (const auto& key : source.groups) {
        GroupImages group;
        Outcome read;
        if (module) {
            struct : IconImageSink, IconReadReporter {
                GroupImages* out = nullptr;
                std::string message;
                void AppendImage(const IconImage& image, int, int number) override {
                    out->images.push_back(image);
                    out->numbers.push_back(number);
                }
                void Report(IconReadError error, std::string_view at) override {
                    if (message.empty()) message = std::string(IconReadMessage(error)) + "\r\n" + std::string(at);
                }
            } collector;
            collector.out = &group;
            if (ReadModuleGroup(module.get(), path, key, collector, collector) == ModuleReadResult::GroupMissing)
                read = {Failure::Group, texts.GroupMissing(GroupText(key), path)};
            else if (!collector.message.empty())
                read = {Failure::Source, collector.message};
        } else {
            bool found = true;
            read = ReadGroup(path, key, texts, group, found);
        }
        if (!read) fail(read);
        if (group.images.empty()) continue;

        if (format == "ico") {
            const std::string destination = folder + FileNamePart(source.base + "(" + GroupText(key) + ").ico");
            const Outcome outcome = WriteFileWhole(destination, BuildIconFile(group.images), texts);
            if (outcome) WriteOut(destination + "\r\n");
            else fail(outcome);
            continue;
        }
        for (std::size_t i = 0; i < group.images.size(); ++i) {
            if (!written.insert(group.numbers[i]).second) continue;
            const std::string destination =
                folder + FileNamePart(source.base + "(" + std::to_string(group.numbers[i]) + ")." + format);
            Picture picture;
            std::vector<std::uint8_t> bytes;
            if (!DrawPicture(group.images[i], background, picture) ||
                (format == "bmp" ? (bytes = BuildBmp24(picture), false) : !EncodeJpeg(picture, bytes))) {
                fail({Failure::Picture, texts.PictureFailed(static_cast<int>(i), path)});
                continue;
            }
            const Outcome outcome = WriteFileWhole(destination, bytes, texts);
            if (outcome) WriteOut(destination + "\r\n");
            else fail(outcome);
        }
    }
    return code;
}

}  // namespace

int RunCommandLineFace(const std::vector<std::string>& arguments) {
    if (arguments.size() == 2 && arguments[0] == "--list") return List(arguments[1]);
    if ((arguments.size() == 3 || arguments.size() == 5) && arguments[0] == "--extract") {
        std::string format = "ico";
        if (arguments.size() == 5) {
            format = arguments[4];
            if (arguments[3] != "--format" || (format != "ico" && format != "bmp" && format != "jpg")) {
                WriteError(kUsage);
                return ExitCode(Failure::CommandLine);
            }
        }
        return Extract(arguments[1], arguments[2], format);
    }
    if (arguments.size() == 1 && (arguments[0] == "--help" || arguments[0] == "-h")) {
        WriteOut(kUsage);
        return 0;
    }
    WriteError(kUsage);
    return ExitCode(Failure::CommandLine);
}

}  // namespace ph::glyphsmith
