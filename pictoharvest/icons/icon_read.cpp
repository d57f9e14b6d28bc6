#include "pictoharvest/icons/icon_read.h"

namespace ph {

std::string_view IconReadMessage(IconReadError error) {
    switch (error) {
        case IconReadError::OpeningFile: return "Error Opening File for Reading";
        case IconReadError::ReadingHeader: return "Error Reading File Header";
        case IconReadError::AllocatingMemory: return "Error Allocating Memory";
        case IconReadError::ReadingFile: return "Error Reading File";
        case IconReadError::SeekingInFile: return "Error Seeking in File";
        case IconReadError::Converting: return "Error Converting to Internal Format";
        case IconReadError::LoadingModule: return "Error Loading File - Choose a 32bit DLL or EXE";
    }
    return {};
}

}  // namespace ph
