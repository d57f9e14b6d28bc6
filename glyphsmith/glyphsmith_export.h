#pragma once
// What Glyphsmith does with one source: read a group, write icon files,
// bitmaps and JPEG pictures, each written whole or not at all.
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "glyphsmith/glyphsmith_texts.h"
#include "pictoharvest/icons/icon_image.h"
#include "pictoharvest/icons/export_command_line.h"
#include "pictoharvest/icons/group_key.h"
#include "pictoharvest/icons/picture.h"

namespace ph::glyphsmith {

struct Outcome {
    Failure failure = Failure::None;
    std::string reason;  // for the user; empty when nothing failed
    explicit operator bool() const { return failure == Failure::None; }
};

struct GroupImages {
    std::vector<IconImage> images;  // in directory order, bytes as stored
    std::vector<int> numbers;       // RT_ICON identifier, or position in an icon file
};

std::string GroupText(const ModuleGroupKey& group);

// Reads one group of a module, or every image of an icon file (whose
// group field is not used). A read that stops early keeps what it read;
// the outcome then carries the reader's message.
Outcome ReadGroup(const std::string& source, const ModuleGroupKey& group, const Texts& texts, GroupImages& out,
                  bool& groupFound);

// Writes into a fresh file of its own beside the destination, then moves
// it over the destination, replacing what is there.
Outcome WriteFileWhole(const std::string& destination, std::span<const std::uint8_t> bytes, const Texts& texts);

// The background for pictures: "BackColorBMP" of the settings, white when
// missing or not a colour. 0x00BBGGRR.
std::uint32_t PictureBackground();

// The image drawn at its own size onto the background.
bool DrawPicture(const IconImage& image, std::uint32_t background, Picture& picture);

// JPEG through the system's GDI+ encoder.
bool EncodeJpeg(const Picture& picture, std::vector<std::uint8_t>& out);

// The whole export of one command line.
Outcome RunExport(const ExportCommand& command, const Texts& texts);

}  // namespace ph::glyphsmith
