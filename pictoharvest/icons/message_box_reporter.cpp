#include "pictoharvest/icons/message_box_reporter.h"

#include <string>

#include "winui/prompts.h"

namespace ph {

void MessageBoxReporter::Report(IconReadError error, std::string_view path) {
    winui::CurrentPrompts().ShowMessageBox(owner_, std::string(IconReadMessage(error)), std::string(path), MB_OK);
}

}  // namespace ph
