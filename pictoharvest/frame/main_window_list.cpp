// File list: filling, sorting, mouse and keys.
#include "pictoharvest/frame/main_window.h"

namespace ph {

void TForm1::Name1Click() {}
void TForm1::Gre1Click() {}
void TForm1::Typ1Click() {}
void TForm1::Datum1Click() {}
void TForm1::Attribute1Click() {}
void TForm1::ListView1Click() {}
void TForm1::ListView1Data(NMLVDISPINFOA&) {}
void TForm1::ListView1ColumnClick(int) {}
void TForm1::ListView1DblClick() {}
void TForm1::ListView1KeyDown(WORD) {}
void TForm1::ListView1KeyUp(WORD) {}
void TForm1::ListView1MouseMove(int, int) {}

}  // namespace ph
