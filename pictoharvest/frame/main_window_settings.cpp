// Settings store: the layout restored at start-up and saved at shut-down.
#include "pictoharvest/frame/main_window.h"

namespace ph {

void TForm1::InitForm() {}
void TForm1::SaveLayout() {}

}  // namespace ph
