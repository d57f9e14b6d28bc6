// Handlers and start-up steps that other parts of the program fill. Each is
// bound to its control or menu item already and does nothing until then.
#include "pictoharvest/frame/main_window.h"

namespace ph {

// Start-up and shut-down steps.
void TForm1::InitForm() {}
void TForm1::ChooseLanguage() {}
void TForm1::FillLanguage() { ToolBar3.SetMenu(&MainMenu1); }
void TForm1::CreateBrowserLists() {}
void TForm1::BuildDesktopRoot() {}
void TForm1::SelectDesktopRoot() {}
void TForm1::LookForChanges(const std::string&) {}
void TForm1::SaveLayout() {}
void TForm1::StopWin9xChangeLoop() { win9xChangeLoopRunning = false; }

// Menus and tool buttons.
void TForm1::Datei1Click() {}
void TForm1::Allesmarkieren1Click() {}
void TForm1::Markierungumkehren1Click() {}
void TForm1::Speichern1Click() {}
void TForm1::SpeichernalsBitmap1Click() {}
void TForm1::SpeichernalsJPG1Click() {}
void TForm1::Statusleiste1Click() {}
void TForm1::GroeSymbole1Click() {}
void TForm1::KleineSymbole1Click() {}
void TForm1::Liste1Click() {}
void TForm1::Details1Click() {}
void TForm1::Name1Click() {}
void TForm1::Gre1Click() {}
void TForm1::Typ1Click() {}
void TForm1::Datum1Click() {}
void TForm1::Attribute1Click() {}
void TForm1::Aktualisieren1Click() {}
void TForm1::NeuerOrdner1Click() {}
void TForm1::NeueVersionverfgbar1Click() {}
void TForm1::Optionen1Click() {}
void TForm1::Information1Click() {}
void TForm1::ToolButton1Click() {}
void TForm1::ToolButton2Click() {}
void TForm1::ToolButton4Click() {}
void TForm1::PopupLeftPopup() {}
void TForm1::PopupRightPopup() {}
void TForm1::PopupMenuItemsClick(winui::MenuItem&) {}

// Address and filter row.
void TForm1::ComboBox1Click() {}
void TForm1::ComboBoxEx1Change() {}

// Folder pane.
void TForm1::SpeedButton1MouseMove() {}
void TForm1::TreeView1Click() {}
bool TForm1::TreeView1Expanding(NMTREEVIEWA&) { return true; }
void TForm1::TreeView1KeyDown(WORD) {}
void TForm1::TreeView1ContextPopup(POINT) {}
bool TForm1::TreeView1Edited(NMTVDISPINFOA&) { return false; }

// File list.
void TForm1::ListView1Click() {}
void TForm1::ListView1Data(NMLVDISPINFOA&) {}
void TForm1::ListView1ColumnClick(int) {}
void TForm1::ListView1ContextPopup(POINT) {}
bool TForm1::ListView1Edited(NMLVDISPINFOA&) { return false; }
void TForm1::ListView1DblClick() {}
void TForm1::ListView1KeyDown(WORD) {}
void TForm1::ListView1KeyUp(WORD) {}
void TForm1::ListView1MouseMove(int, int) {}

// Icon panes.
void TForm1::ListViewSClick() {}
LRESULT TForm1::ListViewSCustomDraw(NMLVCUSTOMDRAW&) { return CDRF_DODEFAULT; }
void TForm1::ListViewSKeyUp(WORD) {}
void TForm1::ListViewSKeyDown(WORD) {}
void TForm1::CheckListBox1DrawItem(int, const RECT&, const DRAWITEMSTRUCT&) {}
void TForm1::CheckListBox1ContextPopup(POINT) {}
void TForm1::Label3Click() {}
void TForm1::Label3MouseMove() {}

// Change watching and shell menus.
void TForm1::Timer1Timer() {}
void TForm1::WMContextMenu2(UINT, WPARAM, LPARAM) {}
void TForm1::RestartEdit(LPARAM) {}

}  // namespace ph
