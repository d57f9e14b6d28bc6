// Folder tree.
#include "pictoharvest/frame/main_window.h"

namespace ph {

void TForm1::CreateBrowserLists() {}
void TForm1::BuildDesktopRoot() {}
void TForm1::SelectDesktopRoot() {}
void TForm1::SpeedButton1MouseMove() {}
void TForm1::TreeView1Click() {}
bool TForm1::TreeView1Expanding(NMTREEVIEWA&) { return true; }
void TForm1::TreeView1KeyDown(WORD) {}

}  // namespace ph
