// Handlers and start-up steps that other parts of the program fill. Each is
// bound to its control or menu item already and does nothing until then.
#include "pictoharvest/frame/main_window.h"

namespace ph {

// Start-up and shut-down steps.
void TForm1::ChooseLanguage() {}
void TForm1::FillLanguage() { ToolBar3.SetMenu(&MainMenu1); }
void TForm1::LookForChanges(const std::string&) {}
void TForm1::StopWin9xChangeLoop() { win9xChangeLoopRunning = false; }

// Menus and tool buttons.
void TForm1::Datei1Click() {}
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

// Navigation history, recorded by TreeView1Click.
void TForm1::RecordHistoryVisit(const std::string&, const std::string&) {}
bool TForm1::HistoryBackAvailable() const { return false; }
bool TForm1::HistoryForwardAvailable() const { return false; }
void TForm1::ApplyHistoryResume() {}

// Address and filter row.
void TForm1::ComboBox1Click() {}
void TForm1::ComboBoxEx1Change() {}

// Folder pane.
void TForm1::TreeView1ContextPopup(POINT) {}
bool TForm1::TreeView1Edited(NMTVDISPINFOA&) { return false; }

// File list.
void TForm1::ListView1ContextPopup(POINT) {}
bool TForm1::ListView1Edited(NMLVDISPINFOA&) { return false; }

// Change watching and shell menus.
void TForm1::Timer1Timer() {}
void TForm1::WMContextMenu2(UINT, WPARAM, LPARAM) {}
void TForm1::RestartEdit(LPARAM) {}

}  // namespace ph
