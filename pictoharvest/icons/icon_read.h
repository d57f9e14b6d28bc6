#pragma once
// What the icon readers hand out: each image to a sink, each failure to a
// reporter. The icon panes, the exporter and the tests plug in their own.
#include <string_view>

#include "pictoharvest/icons/icon_image.h"

namespace ph {

enum class IconReadError {
    OpeningFile,        // "Error Opening File for Reading"
    ReadingHeader,      // "Error Reading File Header"
    AllocatingMemory,   // "Error Allocating Memory"
    ReadingFile,        // "Error Reading File"
    SeekingInFile,      // "Error Seeking in File"
    Converting,         // "Error Converting to Internal Format"
    LoadingModule,      // "Error Loading File - Choose a 32bit DLL or EXE"
};

// The exact text shown to the user for an error.
std::string_view IconReadMessage(IconReadError error);

class IconImageSink {
public:
    virtual ~IconImageSink() = default;
    // position: index in the group or file; number: the entry's number
    // (RT_ICON id for a module, position for an icon file).
    virtual void AppendImage(const IconImage& image, int position, int number) = 0;
};

class IconReadReporter {
public:
    virtual ~IconReadReporter() = default;
    // path: the full path of the file being read (the message box caption).
    virtual void Report(IconReadError error, std::string_view path) = 0;
};

}  // namespace ph
