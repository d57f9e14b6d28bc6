// Saving marked images as icon files, bitmaps and JPEG pictures.
#include "pictoharvest/frame/main_window.h"

namespace ph {

void TForm1::Speichern1Click() {}
void TForm1::SpeichernalsBitmap1Click() {}
void TForm1::SpeichernalsJPG1Click() {}

}  // namespace ph
