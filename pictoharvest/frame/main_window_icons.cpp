// Icon panes: the groups of the chosen file and the images of a group.
#include "pictoharvest/frame/main_window.h"

namespace ph {

void TForm1::DisplayIcon() {}
void TForm1::Allesmarkieren1Click() {}
void TForm1::Markierungumkehren1Click() {}
void TForm1::ListViewSClick() {}
LRESULT TForm1::ListViewSCustomDraw(NMLVCUSTOMDRAW&) { return CDRF_DODEFAULT; }
void TForm1::ListViewSKeyUp(WORD) {}
void TForm1::ListViewSKeyDown(WORD) {}
void TForm1::CheckListBox1DrawItem(int, const RECT&, const DRAWITEMSTRUCT&) {}
void TForm1::CheckListBox1ContextPopup(POINT) {}
void TForm1::Label3Click() {}
void TForm1::Label3MouseMove() {}

}  // namespace ph
