#pragma once
// Why an export failed, the exit code for it and the text that says so.
#include <string>

namespace ph::glyphsmith {

enum class Failure {
    None,
    CommandLine,  // the command line cannot be read
    Source,       // the source file cannot be read
    Group,        // the source has no such icon group
    Position,     // a position lies beyond the images of the group
    Picture,      // the image cannot be drawn into a picture
    Destination,  // the destination cannot be written
};

int ExitCode(Failure failure);

// English when language.dat beside the program starts with the line "0",
// as for the main program; German otherwise.
bool ProgramUsesEnglish();

struct Texts {
    bool english = false;
    std::string CommandLine(const std::string& text) const;
    std::string GroupMissing(const std::string& group, const std::string& source) const;
    std::string PositionMissing(const std::string& group, int position, const std::string& source) const;
    std::string PictureFailed(int position, const std::string& source) const;
    std::string CannotWrite(const std::string& destination) const;
};

// The message box of a failed export: the reason, with the stop icon.
void ShowFailure(const std::string& reason);

}  // namespace ph::glyphsmith
