#pragma once
// Reads every image of an icon file (.ico) from a byte source, hands each to
// a sink and reports the first failure, after which reading stops.
// Portable: no windows.h here.
#include <optional>
#include <string_view>

#include "pictoharvest/icons/byte_source.h"
#include "pictoharvest/icons/icon_read.h"

namespace ph {

// path is the file's full path; it is only passed on to the reporter.
// Returns the error that stopped the read, if any (already reported).
std::optional<IconReadError> ReadIconFile(ByteSource& source, std::string_view path, IconImageSink& sink,
                                          IconReadReporter& reporter);

}  // namespace ph
