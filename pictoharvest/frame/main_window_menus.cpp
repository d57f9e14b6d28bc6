// The main menu and the pop-up menus of the main window.
#include "pictoharvest/frame/main_window.h"

namespace ph {
namespace {

using winui::MenuItem;

MenuItem& Radio(MenuItem& item, bool ticked = false) {
    item.radioItem = true;
    if (ticked) item.SetChecked(true);
    return item;
}

}  // namespace

void TForm1::CreateMenus() {
    auto bind = [this](MenuItem& item, void (TForm1::*handler)()) -> MenuItem& {
        item.OnClick = [this, handler](MenuItem&) { (this->*handler)(); };
        return item;
    };

    // MainMenu1, shown through ToolBar3.
    bind(MainMenu1.Add("Datei1", "&Datei"), &TForm1::Datei1Click);

    MenuItem& edit = MainMenu1.Add("Bearbeiten1", "&Bearbeiten");
    bind(edit.Add("Allesmarkieren1", "Alles markieren"), &TForm1::Allesmarkieren1Click);
    bind(edit.Add("Markierungumkehren1", "Markierung umkehren"), &TForm1::Markierungumkehren1Click);
    edit.AddSeparator();
    bind(edit.Add("SpeichernalsIcon1", "Speichern als Icon"), &TForm1::Speichern1Click);
    bind(edit.Add("SpeichernalsBitmap2", "Speichern als Bitmap"), &TForm1::SpeichernalsBitmap1Click);
    bind(edit.Add("SpeichernalsJPG2", "Speichern als JPG"), &TForm1::SpeichernalsJPG1Click);

    // The four view entries, the sort entries, refresh and the hidden new
    // folder entry appear in the View menu and again in the list's menu.
    auto addViews = [&](MenuItem& parent, const std::string& suffix) {
        bind(Radio(parent.Add("GroeSymbole" + suffix, "Große Symbole")), &TForm1::GroeSymbole1Click);
        bind(Radio(parent.Add("KleineSymbole" + suffix, "Kleine Symbole")), &TForm1::KleineSymbole1Click);
        bind(Radio(parent.Add("Liste" + suffix, "Liste")), &TForm1::Liste1Click);
        bind(Radio(parent.Add("Details" + suffix, "Details"), true), &TForm1::Details1Click);
    };
    auto addSortAndRest = [&](MenuItem& parent, const std::string& suffix) {
        parent.AddSeparator();
        MenuItem& sort = parent.Add("Symboleanordnennach" + suffix, "Symbole anordnen nach");
        bind(sort.Add("Name" + suffix, "Name"), &TForm1::Name1Click);
        bind(sort.Add("Gre" + suffix, "Größe"), &TForm1::Gre1Click);
        bind(sort.Add("Typ" + suffix, "Typ"), &TForm1::Typ1Click);
        bind(sort.Add("Datum" + suffix, "Datum"), &TForm1::Datum1Click);
        bind(sort.Add("Attribute" + suffix, "Attribute"), &TForm1::Attribute1Click);
        parent.AddSeparator();
        bind(parent.Add("Aktualisieren" + suffix, "Aktualisieren"), &TForm1::Aktualisieren1Click);
        parent.AddSeparator();
        bind(parent.Add("NeuerOrdner" + suffix, "Neuer Ordner"), &TForm1::NeuerOrdner1Click).visible = false;
    };

    MenuItem& view = MainMenu1.Add("Ansicht1", "Ansicht");
    bind(view.Add("Statusleiste1", "Statusleiste"), &TForm1::Statusleiste1Click).SetChecked(true);
    view.AddSeparator();
    addViews(view, "1");
    addSortAndRest(view, "1");

    MenuItem& help = MainMenu1.Add("N10", "?");
    bind(help.Add("NeueVersionverfgbar1", "Neue Version verfügbar?"), &TForm1::NeueVersionverfgbar1Click);
    help.AddSeparator();
    bind(help.Add("Optionen1", "&Optionen"), &TForm1::Optionen1Click);
    help.AddSeparator();
    bind(help.Add("Information1", "Information"), &TForm1::Information1Click);

    // The drop-down of ToolButton6 and the file list's background menu.
    addViews(PopupMenu1.root, "3");
    addViews(PopupMenu2.root, "2");
    addSortAndRest(PopupMenu2.root, "2");

    // The save menu of Label3 and the image list box.
    bind(PopupMenu4.Add("Speichern1", "Speichern als Icon"), &TForm1::Speichern1Click);
    bind(PopupMenu4.Add("SpeichernalsBitmap1", "Speichern als Bitmap"), &TForm1::SpeichernalsBitmap1Click);
    bind(PopupMenu4.Add("SpeichernalsJPG1", "Speichern als JPG"), &TForm1::SpeichernalsJPG1Click);

    // The history menus fill themselves each time they open.
    PopupLeft.OnPopup = [this] { PopupLeftPopup(); };
    PopupRight.OnPopup = [this] { PopupRightPopup(); };
}

winui::MenuItem* TForm1::FindMenuItem(const std::string& name) {
    for (winui::Menu* menu : {&MainMenu1, &PopupMenu1, &PopupMenu2, &PopupMenu4, &PopupLeft, &PopupRight})
        if (MenuItem* item = menu->Find(name)) return item;
    return nullptr;
}

}  // namespace ph
