#include "glyphsmith/glyphsmith_texts.h"

#include <windows.h>

#include <fstream>

namespace ph::glyphsmith {

int ExitCode(Failure failure) {
    switch (failure) {
        case Failure::None: return 0;
        case Failure::CommandLine: return 2;
        case Failure::Source: return 3;
        case Failure::Group: return 4;
        case Failure::Position: return 5;
        case Failure::Picture: return 6;
        case Failure::Destination: return 7;
    }
    return 1;
}

bool ProgramUsesEnglish() {
    char path[MAX_PATH];
    const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return false;
    std::string file(path, length);
    file.erase(file.find_last_of('\\') + 1);
    std::ifstream in(file + "language.dat");
    std::string first;
    if (!std::getline(in, first)) return false;
    if (!first.empty() && first.back() == '\r') first.pop_back();
    return first == "0";
}

std::string Texts::CommandLine(const std::string& text) const {
    return (english ? "The command line is not valid:\r\n" : "Die Befehlszeile ist ungültig:\r\n") + text;
}

std::string Texts::GroupMissing(const std::string& group, const std::string& source) const {
    return english ? "There is no icon group " + group + " in the file:\r\n" + source
                   : "Die Icongruppe " + group + " gibt es in der Datei nicht:\r\n" + source;
}

std::string Texts::PositionMissing(const std::string& group, int position, const std::string& source) const {
    const std::string at = std::to_string(position);
    return english ? "Icon group " + group + " has no image at position " + at + ":\r\n" + source
                   : "Die Icongruppe " + group + " hat kein Bild an Position " + at + ":\r\n" + source;
}

std::string Texts::PictureFailed(int position, const std::string& source) const {
    const std::string at = std::to_string(position);
    return english ? "The image at position " + at + " cannot be drawn:\r\n" + source
                   : "Das Bild an Position " + at + " lässt sich nicht zeichnen:\r\n" + source;
}

std::string Texts::CannotWrite(const std::string& destination) const {
    return (english ? "The file cannot be written:\r\n" : "Die Datei lässt sich nicht schreiben:\r\n") + destination;
}

void ShowFailure(const std::string& reason) {
    MessageBoxExA(nullptr, reason.c_str(), "Glyphsmith", MB_OK | MB_ICONSTOP | MB_SYSTEMMODAL, 0);
}

}  // namespace ph::glyphsmith
