#pragma once
// Standard output and error of a program without a console of its own:
// the handles it was given (a pipe, a file, Wine's terminal), or else the
// console of the program that started it.
#include <string_view>

namespace ph::glyphsmith {

void WriteOut(std::string_view text);
void WriteError(std::string_view text);

}  // namespace ph::glyphsmith
