#pragma once
// Glyphsmith's face for people and scripts: --list and --extract.
#include <string>
#include <vector>

namespace ph::glyphsmith {

// arguments without the program name; returns the exit code.
int RunCommandLineFace(const std::vector<std::string>& arguments);

}  // namespace ph::glyphsmith
