#pragma once
// The main window's own pictures, drawn in code: seven 24 x 24 tool-bar
// pictures and the two 7 x 7 sort arrows of the file list's column headers.
// Pixels are 0xAARRGGBB, rows from the top, not premultiplied.
#include <cstdint>
#include <vector>

namespace ph {

constexpr int kToolbarPictureSize = 24;
constexpr int kToolbarPictureCount = 7;
constexpr int kArrowSize = 7;

// 0 back, 1 forward, 2 up one level, 3 views, 4 refresh, 5 update, 6 information.
std::vector<std::uint32_t> ToolbarPicture(int index);

// The sort arrow pointing up (ascending) or down.
std::vector<std::uint32_t> SortArrow(bool up);

}  // namespace ph
