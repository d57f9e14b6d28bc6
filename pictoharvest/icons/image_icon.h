#pragma once
// Icons made from icon images, and icons redrawn at a smaller size.
#include <windows.h>

#include "pictoharvest/icons/dib_geometry.h"
#include "pictoharvest/icons/icon_image.h"

namespace ph {

// Makes an icon from the image's bits (DIB or PNG) with the system's icon
// maker; zero when it refuses. reported gets the width, height and bit
// count of the image's header whether or not an icon was made (all zero
// when there is no readable header).
HICON CreateImageIcon(const IconImage* image, ReportedGeometry& reported);

// A new icon of targetSize x targetSize redrawn from the square of
// sourceSize pixels at the top left of icon. The caller keeps icon.
HICON ShrinkIcon(HICON icon, int sourceSize, int targetSize);

}  // namespace ph
