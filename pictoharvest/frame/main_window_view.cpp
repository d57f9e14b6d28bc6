// The view commands of the file list and the sort arrows of its header.
#include "pictoharvest/frame/main_window.h"

#include <vector>

namespace ph {
namespace {

// One view entry ticked in each of the three menus that carry them.
void TickView(TForm1& form, const std::string& stem) {
    for (const char* suffix : {"1", "2", "3"})
        if (winui::MenuItem* item = form.FindMenuItem(stem + suffix)) item->SetChecked(true);
}

}  // namespace

void TForm1::GroeSymbole1Click() {
    winui::BulkUpdate bulk(Handle());
    ListView1.SetView(LV_VIEW_ICON);
    listIconSize = SHGFI_LARGEICON;
    TickView(*this, "GroeSymbole");
}

void TForm1::KleineSymbole1Click() {
    winui::BulkUpdate bulk(Handle());
    ListView1.SetView(LV_VIEW_SMALLICON);
    listIconSize = SHGFI_SMALLICON;
    TickView(*this, "KleineSymbole");
}

void TForm1::Liste1Click() {
    winui::BulkUpdate bulk(Handle());
    ListView1.SetView(LV_VIEW_LIST);
    listIconSize = SHGFI_SMALLICON;
    TickView(*this, "Liste");
}

void TForm1::Details1Click() {
    ListView1.SetView(LV_VIEW_DETAILS);
    listIconSize = SHGFI_SMALLICON;
    TickView(*this, "Details");
    AddBitmapTo(0, false);
}

void TForm1::Statusleiste1Click() {
    winui::MenuItem* entry = FindMenuItem("Statusleiste1");
    if (!entry) return;
    entry->SetChecked(!entry->Checked());
    StatusBar1.SetVisible(entry->Checked());
}

void TForm1::AddBitmapTo(int column, bool up) {
    HWND header = GetDlgItem(ListView1.Handle(), 0);
    if (!header) return;
    HDITEMA item{};
    item.mask = HDI_FORMAT;
    if (!SendMessageA(header, HDM_GETITEMA, column, reinterpret_cast<LPARAM>(&item))) return;

    std::string caption = ListView1.ColumnCaption(column);
    std::vector<char> text(caption.begin(), caption.end());
    text.push_back('\0');
    item = {};
    item.mask = HDI_WIDTH | HDI_TEXT | HDI_FORMAT | HDI_BITMAP;
    item.fmt = HDF_STRING | HDF_BITMAP | HDF_BITMAP_ON_RIGHT;
    item.pszText = text.data();
    item.cchTextMax = static_cast<int>(caption.size());
    item.cxy = ListView1.ColumnWidth(column);
    item.hbm = up ? ImageUp.get() : ImageDown.get();
    SendMessageA(header, HDM_SETITEMA, column, reinterpret_cast<LPARAM>(&item));
}

void TForm1::ClearBitmapOnAllBut(int column) {
    HWND header = GetDlgItem(ListView1.Handle(), 0);
    if (!header) return;
    const int count = static_cast<int>(SendMessageA(header, HDM_GETITEMCOUNT, 0, 0));
    for (int other = 0; other < count; ++other) {
        if (other == column) continue;
        HDITEMA item{};
        item.mask = HDI_FORMAT;
        if (!SendMessageA(header, HDM_GETITEMA, other, reinterpret_cast<LPARAM>(&item))) continue;
        item.mask = HDI_FORMAT;
        item.fmt = HDF_STRING;
        SendMessageA(header, HDM_SETITEMA, other, reinterpret_cast<LPARAM>(&item));
    }
}

}  // namespace ph
