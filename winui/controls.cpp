#include "winui/controls.h"

#include <algorithm>
#include <utility>

namespace winui {

// ---- Label -----------------------------------------------------------------

void Label::Create(Container& parent, const Bounds& bounds, const std::string& caption,
                   HFONT font) {
    CreateChild(&parent, parent.Handle(), "STATIC", 0, caption.c_str(),
                WS_VISIBLE | SS_LEFT | SS_NOTIFY | SS_NOPREFIX, bounds);
    SetFont(font);
    FitToText();
}

void Label::SetCaption(const std::string& caption) {
    SetText(caption);
    FitToText();
    InvalidateRect(Handle(), nullptr, TRUE);
}

void Label::SetTextColor(COLORREF color) {
    textColor_ = color;
    if (Handle()) InvalidateRect(Handle(), nullptr, TRUE);
}

void Label::FitToText() {
    if (!autoSize || !Handle()) return;
    HDC dc = GetDC(Handle());
    HGDIOBJ old = SelectObject(dc, Font() ? Font() : GetStockObject(DEFAULT_GUI_FONT));
    const std::string text = Text();
    SIZE size{};
    GetTextExtentPoint32A(dc, text.c_str(), static_cast<int>(text.size()), &size);
    TEXTMETRICA metrics{};
    GetTextMetricsA(dc, &metrics);
    SelectObject(dc, old);
    ReleaseDC(Handle(), dc);
    SetBounds({Left(), Top(), static_cast<int>(size.cx), static_cast<int>(metrics.tmHeight)});
}

bool Label::HandleReflected(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    if (message == WM_CTLCOLORSTATIC) {
        HDC dc = reinterpret_cast<HDC>(wParam);
        SetBkMode(dc, TRANSPARENT);
        ::SetTextColor(dc, textColor_ == CLR_INVALID ? GetSysColor(COLOR_WINDOWTEXT) : textColor_);
        result = reinterpret_cast<LRESULT>(BackgroundBrush());
        return true;
    }
    return Control::HandleReflected(message, wParam, lParam, result);
}

// ---- Buttons ---------------------------------------------------------------

void Button::Create(Container& parent, const Bounds& bounds, const std::string& caption,
                    HFONT font, DWORD extraStyle) {
    CreateChild(&parent, parent.Handle(), "BUTTON", 0, caption.c_str(),
                WS_VISIBLE | BS_PUSHBUTTON | extraStyle, bounds);
    SetFont(font);
}

void RadioButton::Create(Container& parent, const Bounds& bounds, const std::string& caption,
                         HFONT font, bool firstOfGroup) {
    CreateChild(&parent, parent.Handle(), "BUTTON", 0, caption.c_str(),
                WS_VISIBLE | WS_TABSTOP | BS_AUTORADIOBUTTON | (firstOfGroup ? WS_GROUP : 0),
                bounds);
    SetFont(font);
}

bool RadioButton::Checked() const {
    return SendMessageA(Handle(), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void RadioButton::SetChecked(bool checked) {
    SendMessageA(Handle(), BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

// ---- ComboControl ----------------------------------------------------------

void ComboControl::ClearItems() { SendMessageA(Handle(), CB_RESETCONTENT, 0, 0); }
int ComboControl::Count() const { return static_cast<int>(SendMessageA(Handle(), CB_GETCOUNT, 0, 0)); }
int ComboControl::ItemIndex() const { return static_cast<int>(SendMessageA(Handle(), CB_GETCURSEL, 0, 0)); }
void ComboControl::SetItemIndex(int index) { SendMessageA(Handle(), CB_SETCURSEL, static_cast<WPARAM>(index), 0); }

// ---- ComboBox --------------------------------------------------------------

void ComboBox::Create(Container& parent, const Bounds& bounds, HFONT font, int dropDownRows) {
    CreateChild(&parent, parent.Handle(), WC_COMBOBOXA, 0, "",
                WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST,
                {bounds.left, bounds.top, bounds.width, std::max(bounds.height, 200)});
    SetFont(font);
    // The extended box keeps this setting to itself; its inner combo box uses it.
    HWND inner = reinterpret_cast<HWND>(SendMessageA(Handle(), CBEM_GETCOMBOCONTROL, 0, 0));
    SendMessageA(inner ? inner : Handle(), CB_SETMINVISIBLE, static_cast<WPARAM>(dropDownRows), 0);
    RECT window{};
    GetWindowRect(Handle(), &window);
    Realigned({bounds.left, bounds.top, bounds.width, window.bottom - window.top});
}

void ComboBox::AddItem(const std::string& text) {
    SendMessageA(Handle(), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
}
std::string ComboBox::ItemText(int index) const {
    const LRESULT length = SendMessageA(Handle(), CB_GETLBTEXTLEN, static_cast<WPARAM>(index), 0);
    if (length < 0) return {};
    std::string text(static_cast<size_t>(length) + 1, '\0');
    SendMessageA(Handle(), CB_GETLBTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<size_t>(length));
    return text;
}
bool ComboBox::HandleCommand(WORD code) {
    if (code == CBN_SELCHANGE && OnClick) {
        OnClick();
        return true;
    }
    return false;
}

// ---- ComboBoxEx ------------------------------------------------------------

void ComboBoxEx::Create(Container& parent, const Bounds& bounds, HFONT font, int dropDownRows) {
    CreateChild(&parent, parent.Handle(), WC_COMBOBOXEXA, 0, "",
                WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST,
                {bounds.left, bounds.top, bounds.width, std::max(bounds.height, 200)});
    SetFont(font);
    // The extended box keeps this setting to itself; its inner combo box uses it.
    HWND inner = reinterpret_cast<HWND>(SendMessageA(Handle(), CBEM_GETCOMBOCONTROL, 0, 0));
    SendMessageA(inner ? inner : Handle(), CB_SETMINVISIBLE, static_cast<WPARAM>(dropDownRows), 0);
    RECT window{};
    GetWindowRect(Handle(), &window);
    Realigned({bounds.left, bounds.top, bounds.width, window.bottom - window.top});
}

void ComboBoxEx::SetImageList(HIMAGELIST images) {
    SendMessageA(Handle(), CBEM_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(images));
}

void ComboBoxEx::AddItem(const std::string& text, int image) {
    COMBOBOXEXITEMA item{};
    item.mask = CBEIF_TEXT | CBEIF_IMAGE | CBEIF_SELECTEDIMAGE;
    item.iItem = -1;
    item.pszText = const_cast<char*>(text.c_str());
    item.iImage = image;
    item.iSelectedImage = image;
    SendMessageA(Handle(), CBEM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item));
}


std::string ComboBoxEx::ItemText(int index) const {
    char buffer[1024] = {};
    COMBOBOXEXITEMA item{};
    item.mask = CBEIF_TEXT;
    item.iItem = index;
    item.pszText = buffer;
    item.cchTextMax = sizeof(buffer);
    if (!SendMessageA(Handle(), CBEM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item))) return {};
    return buffer;
}

int ComboBoxEx::ItemImage(int index) const {
    COMBOBOXEXITEMA item{};
    item.mask = CBEIF_IMAGE;
    item.iItem = index;
    if (!SendMessageA(Handle(), CBEM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item))) return -1;
    return item.iImage;
}

bool ComboBoxEx::HandleCommand(WORD code) {
    if (code == CBN_SELCHANGE && OnChange) {
        OnChange();
        return true;
    }
    return false;
}

// ---- TreeView --------------------------------------------------------------

void TreeView::Create(Container& parent, const Bounds& bounds, DWORD style, HFONT font) {
    CreateChild(&parent, parent.Handle(), WC_TREEVIEWA, 0, "", WS_VISIBLE | WS_TABSTOP | style,
                bounds);
    SetFont(font);
}
void TreeView::SetImageList(HIMAGELIST images) {
    SendMessageA(Handle(), TVM_SETIMAGELIST, TVSIL_NORMAL, reinterpret_cast<LPARAM>(images));
}
void TreeView::SetIndent(int indent) {
    SendMessageA(Handle(), TVM_SETINDENT, static_cast<WPARAM>(indent), 0);
}
int TreeView::Indent() const { return static_cast<int>(SendMessageA(Handle(), TVM_GETINDENT, 0, 0)); }

bool TreeView::HandleReflected(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    if (message == WM_NOTIFY && inButtonDown_ && reinterpret_cast<NMHDR*>(lParam)->code == NM_CLICK) {
        clickPending_ = true;
        result = 0;
        return true;
    }
    return Control::HandleReflected(message, wParam, lParam, result);
}

LRESULT TreeView::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message != WM_LBUTTONDOWN) return Control::HandleMessage(message, wParam, lParam);
    inButtonDown_ = true;
    clickPending_ = false;
    const LRESULT answer = Control::HandleMessage(message, wParam, lParam);
    inButtonDown_ = false;
    if (std::exchange(clickPending_, false) && Handle()) {
        NMHDR header{Handle(), static_cast<UINT_PTR>(GetDlgCtrlID(Handle())), static_cast<UINT>(NM_CLICK)};
        LRESULT ignored = 0;
        Control::HandleReflected(WM_NOTIFY, header.idFrom, reinterpret_cast<LPARAM>(&header), ignored);
    }
    return answer;
}

HTREEITEM TreeView::AddChild(HTREEITEM parent, const std::string& caption, int image, LPARAM data) {
    TVINSERTSTRUCTA insert{};
    insert.hParent = parent ? parent : TVI_ROOT;
    insert.hInsertAfter = TVI_LAST;
    insert.item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_PARAM;
    insert.item.pszText = const_cast<char*>(caption.c_str());
    insert.item.iImage = image;
    insert.item.iSelectedImage = image;
    insert.item.lParam = data;
    HTREEITEM item = reinterpret_cast<HTREEITEM>(
        SendMessageA(Handle(), TVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&insert)));
    if (item && parent) SetHasChildrenMark(parent, true);
    return item;
}

HTREEITEM TreeView::AddPlaceholder(HTREEITEM parent) {
    TVINSERTSTRUCTA insert{};
    insert.hParent = parent;
    insert.hInsertAfter = TVI_LAST;
    insert.item.mask = TVIF_TEXT | TVIF_PARAM;
    insert.item.pszText = const_cast<char*>("");
    insert.item.lParam = 0;
    HTREEITEM item = reinterpret_cast<HTREEITEM>(
        SendMessageA(Handle(), TVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&insert)));
    if (item) SetHasChildrenMark(parent, true);
    return item;
}

void TreeView::Delete(HTREEITEM item) {
    if (item) SendMessageA(Handle(), TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(item));
}

void TreeView::DeleteChildren(HTREEITEM item) {
    while (HTREEITEM child = FirstChild(item)) Delete(child);
}

int TreeView::Count() const { return static_cast<int>(SendMessageA(Handle(), TVM_GETCOUNT, 0, 0)); }

namespace {
HTREEITEM NextItem(HWND tree, HTREEITEM item, UINT relation) {
    return reinterpret_cast<HTREEITEM>(
        SendMessageA(tree, TVM_GETNEXTITEM, relation, reinterpret_cast<LPARAM>(item)));
}
}  // namespace

HTREEITEM TreeView::Root() const { return NextItem(Handle(), nullptr, TVGN_ROOT); }
HTREEITEM TreeView::FirstChild(HTREEITEM item) const {
    return item ? NextItem(Handle(), item, TVGN_CHILD) : nullptr;
}
HTREEITEM TreeView::NextSibling(HTREEITEM item) const {
    return item ? NextItem(Handle(), item, TVGN_NEXT) : nullptr;
}
HTREEITEM TreeView::ParentOf(HTREEITEM item) const {
    return item ? NextItem(Handle(), item, TVGN_PARENT) : nullptr;
}

HTREEITEM TreeView::NextInOrder(HTREEITEM item) const {
    if (!item) return nullptr;
    if (HTREEITEM child = FirstChild(item)) return child;
    for (HTREEITEM at = item; at; at = ParentOf(at))
        if (HTREEITEM next = NextSibling(at)) return next;
    return nullptr;
}

HTREEITEM TreeView::PreviousInOrder(HTREEITEM item) const {
    if (!item) return nullptr;
    HTREEITEM previous = NextItem(Handle(), item, TVGN_PREVIOUS);
    if (!previous) return ParentOf(item);
    // The last item of the previous sibling's subtree.
    for (HTREEITEM child = FirstChild(previous); child; child = FirstChild(previous)) {
        previous = child;
        while (HTREEITEM next = NextSibling(previous)) previous = next;
    }
    return previous;
}

HTREEITEM TreeView::Selected() const { return NextItem(Handle(), nullptr, TVGN_CARET); }
void TreeView::Select(HTREEITEM item) {
    SendMessageA(Handle(), TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(item));
}
void TreeView::MakeVisible(HTREEITEM item) {
    if (item) SendMessageA(Handle(), TVM_ENSUREVISIBLE, 0, reinterpret_cast<LPARAM>(item));
}

namespace {
bool ReadItem(HWND tree, HTREEITEM item, TVITEMA& info) {
    info.hItem = item;
    return item && SendMessageA(tree, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&info));
}
}  // namespace

std::string TreeView::Caption(HTREEITEM item) const {
    char buffer[520] = {};
    TVITEMA info{};
    info.mask = TVIF_TEXT;
    info.pszText = buffer;
    info.cchTextMax = sizeof(buffer);
    return ReadItem(Handle(), item, info) ? std::string(buffer) : std::string();
}
LPARAM TreeView::Data(HTREEITEM item) const {
    TVITEMA info{};
    info.mask = TVIF_PARAM;
    return ReadItem(Handle(), item, info) ? info.lParam : 0;
}
int TreeView::Image(HTREEITEM item) const {
    TVITEMA info{};
    info.mask = TVIF_IMAGE;
    return ReadItem(Handle(), item, info) ? info.iImage : -1;
}
int TreeView::SelectedImage(HTREEITEM item) const {
    TVITEMA info{};
    info.mask = TVIF_SELECTEDIMAGE;
    return ReadItem(Handle(), item, info) ? info.iSelectedImage : -1;
}
bool TreeView::Expanded(HTREEITEM item) const {
    return item && (SendMessageA(Handle(), TVM_GETITEMSTATE, reinterpret_cast<WPARAM>(item), TVIS_EXPANDED) &
                    TVIS_EXPANDED);
}
void TreeView::Expand(HTREEITEM item) {
    if (item) SendMessageA(Handle(), TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(item));
}
void TreeView::Collapse(HTREEITEM item) {
    if (item) SendMessageA(Handle(), TVM_EXPAND, TVE_COLLAPSE, reinterpret_cast<LPARAM>(item));
}
bool TreeView::HasChildrenMark(HTREEITEM item) const {
    TVITEMA info{};
    info.mask = TVIF_CHILDREN;
    return ReadItem(Handle(), item, info) && info.cChildren != 0;
}
void TreeView::SetHasChildrenMark(HTREEITEM item, bool hasChildren) {
    if (!item) return;
    TVITEMA info{};
    info.mask = TVIF_CHILDREN;
    info.hItem = item;
    info.cChildren = hasChildren ? 1 : 0;
    SendMessageA(Handle(), TVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&info));
}
void TreeView::SortChildren(HTREEITEM parent, PFNTVCOMPARE compare, LPARAM context) {
    TVSORTCB sort{};
    sort.hParent = parent ? parent : TVI_ROOT;
    sort.lpfnCompare = compare;
    sort.lParam = context;
    SendMessageA(Handle(), TVM_SORTCHILDRENCB, 0, reinterpret_cast<LPARAM>(&sort));
}

// ---- ListView --------------------------------------------------------------

void ListView::Create(Container& parent, const Bounds& bounds, DWORD style, HFONT font) {
    CreateChild(&parent, parent.Handle(), WC_LISTVIEWA, 0, "", WS_VISIBLE | WS_TABSTOP | style,
                bounds);
    SetFont(font);
}

void ListView::AddColumn(const std::string& caption, int width) {
    LVCOLUMNA column{};
    column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM;
    column.pszText = const_cast<char*>(caption.c_str());
    column.cx = width;
    column.iSubItem = ColumnCount();
    SendMessageA(Handle(), LVM_INSERTCOLUMNA, static_cast<WPARAM>(column.iSubItem),
                 reinterpret_cast<LPARAM>(&column));
}

int ListView::ColumnCount() const {
    HWND header = reinterpret_cast<HWND>(SendMessageA(Handle(), LVM_GETHEADER, 0, 0));
    return header ? static_cast<int>(SendMessageA(header, HDM_GETITEMCOUNT, 0, 0)) : 0;
}

std::string ListView::ColumnCaption(int index) const {
    char buffer[260] = {};
    LVCOLUMNA column{};
    column.mask = LVCF_TEXT;
    column.pszText = buffer;
    column.cchTextMax = sizeof(buffer);
    if (!SendMessageA(Handle(), LVM_GETCOLUMNA, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&column)))
        return {};
    return buffer;
}

void ListView::SetColumnCaption(int index, const std::string& caption) {
    LVCOLUMNA column{};
    column.mask = LVCF_TEXT;
    column.pszText = const_cast<char*>(caption.c_str());
    SendMessageA(Handle(), LVM_SETCOLUMNA, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&column));
}

// Through the column itself: in list view LVM_GETCOLUMNWIDTH answers with the
// width of the list's columns instead.
int ListView::ColumnWidth(int index) const {
    LVCOLUMNA column{};
    column.mask = LVCF_WIDTH;
    if (!SendMessageA(Handle(), LVM_GETCOLUMNA, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&column)))
        return 0;
    return column.cx;
}
void ListView::SetColumnWidth(int index, int width) {
    LVCOLUMNA column{};
    column.mask = LVCF_WIDTH;
    column.cx = width;
    SendMessageA(Handle(), LVM_SETCOLUMNA, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&column));
}

void ListView::SetView(DWORD view) {
    static constexpr DWORD kStyles[] = {LVS_ICON, LVS_REPORT, LVS_SMALLICON, LVS_LIST};
    if (view <= LV_VIEW_LIST) {
        // The style bits work on every comctl32, the view message only on 6.
        const LONG_PTR style = GetWindowLongPtrA(Handle(), GWL_STYLE);
        SetWindowLongPtrA(Handle(), GWL_STYLE, (style & ~LVS_TYPEMASK) | kStyles[view]);
    }
    SendMessageA(Handle(), LVM_SETVIEW, view, 0);
}

DWORD ListView::View() const {
    switch (GetWindowLongPtrA(Handle(), GWL_STYLE) & LVS_TYPEMASK) {
        case LVS_ICON: return LV_VIEW_ICON;
        case LVS_REPORT: return LV_VIEW_DETAILS;
        case LVS_SMALLICON: return LV_VIEW_SMALLICON;
        default: return LV_VIEW_LIST;
    }
}

void ListView::SetImageList(int kind, HIMAGELIST images) {
    SendMessageA(Handle(), LVM_SETIMAGELIST, static_cast<WPARAM>(kind), reinterpret_cast<LPARAM>(images));
}
HIMAGELIST ListView::ImageListOf(int kind) const {
    return reinterpret_cast<HIMAGELIST>(SendMessageA(Handle(), LVM_GETIMAGELIST, static_cast<WPARAM>(kind), 0));
}
void ListView::SetItemCount(int count) {
    SendMessageA(Handle(), LVM_SETITEMCOUNT, static_cast<WPARAM>(count), LVSICF_NOINVALIDATEALL);
    InvalidateRect(Handle(), nullptr, TRUE);
}
int ListView::ItemCount() const { return static_cast<int>(SendMessageA(Handle(), LVM_GETITEMCOUNT, 0, 0)); }
int ListView::SelectedCount() const {
    return static_cast<int>(SendMessageA(Handle(), LVM_GETSELECTEDCOUNT, 0, 0));
}
int ListView::NextSelected(int after) const {
    return static_cast<int>(SendMessageA(Handle(), LVM_GETNEXTITEM, static_cast<WPARAM>(after),
                                         MAKELPARAM(LVNI_SELECTED, 0)));
}
bool ListView::ItemSelected(int index) const {
    return SendMessageA(Handle(), LVM_GETITEMSTATE, static_cast<WPARAM>(index), LVIS_SELECTED) & LVIS_SELECTED;
}
namespace {
void SetSelection(HWND list, int index, bool selected) {
    LVITEMA item{};
    item.stateMask = LVIS_SELECTED;
    item.state = selected ? LVIS_SELECTED : 0;
    SendMessageA(list, LVM_SETITEMSTATE, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
}
}  // namespace
void ListView::SelectAll() { SetSelection(Handle(), -1, true); }
void ListView::ClearSelection() { SetSelection(Handle(), -1, false); }
void ListView::SelectOnly(int index) {
    ClearSelection();
    SetSelection(Handle(), index, true);
}
int ListView::ItemAt(int x, int y) const {
    LVHITTESTINFO hit{};
    hit.pt = {x, y};
    return static_cast<int>(SendMessageA(Handle(), LVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)));
}
void ListView::Repaint() {
    InvalidateRect(Handle(), nullptr, TRUE);
    UpdateWindow(Handle());
}

// ---- CheckListBox ----------------------------------------------------------

void CheckListBox::Create(Container& parent, const Bounds& bounds, HFONT font, int itemHeight) {
    CreateChild(&parent, parent.Handle(), WC_LISTBOXA, WS_EX_CLIENTEDGE, "",
                WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | LBS_OWNERDRAWFIXED | LBS_NOTIFY |
                    LBS_EXTENDEDSEL | LBS_NOINTEGRALHEIGHT,
                bounds);
    SetFont(font);
    SendMessageA(Handle(), LB_SETITEMHEIGHT, 0, itemHeight);
}

void CheckListBox::AddItem(const std::string& text, State state, bool enabled) {
    items_.push_back({text, state, enabled});
    SendMessageA(Handle(), LB_ADDSTRING, 0, 0);
}

void CheckListBox::ClearItems() {
    items_.clear();
    SendMessageA(Handle(), LB_RESETCONTENT, 0, 0);
}

bool CheckListBox::Selected(int index) const {
    return SendMessageA(Handle(), LB_GETSEL, static_cast<WPARAM>(index), 0) > 0;
}

void CheckListBox::SetSelected(int index, bool selected) {
    SendMessageA(Handle(), LB_SETSEL, selected ? TRUE : FALSE, index);
}

int CheckListBox::SelectedCount() const {
    return static_cast<int>(SendMessageA(Handle(), LB_GETSELCOUNT, 0, 0));
}

int CheckListBox::ItemHeight() const {
    return static_cast<int>(SendMessageA(Handle(), LB_GETITEMHEIGHT, 0, 0));
}

bool CheckListBox::HandleReflected(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    if (message != WM_DRAWITEM) return Control::HandleReflected(message, wParam, lParam, result);
    auto& item = *reinterpret_cast<DRAWITEMSTRUCT*>(lParam);
    result = TRUE;
    if (item.itemID == static_cast<UINT>(-1)) return true;
    const bool selected = (item.itemState & ODS_SELECTED) != 0;
    HBRUSH brush = GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW);
    FillRect(item.hDC, &item.rcItem, brush);
    const int index = static_cast<int>(item.itemID);
    if (index < Count()) {
        const Item& entry = items_[static_cast<size_t>(index)];
        RECT box = {item.rcItem.left + 1, item.rcItem.top + (item.rcItem.bottom - item.rcItem.top - 13) / 2,
                    0, 0};
        box.right = box.left + 13;
        box.bottom = box.top + 13;
        UINT look = DFCS_BUTTONCHECK | DFCS_FLAT;
        if (entry.state != State::Unchecked) look |= DFCS_CHECKED;
        if (entry.state == State::Grayed || !entry.enabled) look |= DFCS_INACTIVE;
        DrawFrameControl(item.hDC, &box, DFC_BUTTON, look);
    }
    RECT content = item.rcItem;
    content.left += kCheckColumnWidth;
    HGDIOBJ oldBrush = SelectObject(item.hDC, brush);
    SetBkColor(item.hDC, GetSysColor(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
    ::SetTextColor(item.hDC, GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
    if (OnDrawItem) {
        OnDrawItem(index, content, item);
    } else if (index < Count()) {
        const std::string& text = items_[static_cast<size_t>(index)].text;
        DrawTextA(item.hDC, text.c_str(), static_cast<int>(text.size()), &content,
                  DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
    }
    SelectObject(item.hDC, oldBrush);
    if ((item.itemState & ODS_FOCUS) != 0) DrawFocusRect(item.hDC, &item.rcItem);
    return true;
}

// ---- StatusBar -------------------------------------------------------------

void StatusBar::Create(Container& parent, const Bounds& bounds, HFONT font) {
    CreateChild(&parent, parent.Handle(), STATUSCLASSNAMEA, 0, "",
                WS_VISIBLE | CCS_NORESIZE | CCS_NOPARENTALIGN | CCS_NODIVIDER | SBARS_SIZEGRIP, bounds);
    SetFont(font);
}

void StatusBar::SetPanels(const std::vector<int>& widths) {
    widths_ = widths;
    std::vector<int> edges;
    int right = 0;
    for (int width : widths) edges.push_back(right += width);
    SendMessageA(Handle(), SB_SETPARTS, edges.size(), reinterpret_cast<LPARAM>(edges.data()));
}

int StatusBar::PanelCount() const { return static_cast<int>(SendMessageA(Handle(), SB_GETPARTS, 0, 0)); }

void StatusBar::SetPanelText(int panel, const std::string& text) {
    SendMessageA(Handle(), SB_SETTEXTA, static_cast<WPARAM>(panel), reinterpret_cast<LPARAM>(text.c_str()));
}

std::string StatusBar::PanelText(int panel) const {
    const LRESULT length = SendMessageA(Handle(), SB_GETTEXTLENGTHA, static_cast<WPARAM>(panel), 0);
    std::string text(LOWORD(length) + 1u, '\0');
    SendMessageA(Handle(), SB_GETTEXTA, static_cast<WPARAM>(panel), reinterpret_cast<LPARAM>(text.data()));
    text.resize(LOWORD(length));
    return text;
}

// ---- Memo ------------------------------------------------------------------

void Memo::Create(Container& parent, const Bounds& bounds, HFONT font, bool visible) {
    CreateChild(&parent, parent.Handle(), WC_EDITA, WS_EX_CLIENTEDGE, "",
                (visible ? WS_VISIBLE : 0) | ES_MULTILINE | ES_AUTOVSCROLL | WS_VSCROLL, bounds);
    SetFont(font);
}

std::vector<std::string> Memo::Lines() const {
    std::vector<std::string> lines;
    const int count = static_cast<int>(SendMessageA(Handle(), EM_GETLINECOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        const int start = static_cast<int>(SendMessageA(Handle(), EM_LINEINDEX, static_cast<WPARAM>(i), 0));
        const int length = static_cast<int>(SendMessageA(Handle(), EM_LINELENGTH, static_cast<WPARAM>(start), 0));
        std::string line(static_cast<size_t>(std::max(length, 1)) + 1, '\0');
        *reinterpret_cast<WORD*>(line.data()) = static_cast<WORD>(line.size());
        const LRESULT got = SendMessageA(Handle(), EM_GETLINE, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(line.data()));
        line.resize(static_cast<size_t>(std::min<LRESULT>(got, length)));
        lines.push_back(line);
    }
    return lines;
}

// ---- ProgressBar, Animation ------------------------------------------------

void ProgressBar::Create(Container& parent, const Bounds& bounds) {
    CreateChild(&parent, parent.Handle(), PROGRESS_CLASSA, 0, "", WS_VISIBLE, bounds);
}
void ProgressBar::SetRange(int minimum, int maximum) {
    SendMessageA(Handle(), PBM_SETRANGE32, static_cast<WPARAM>(minimum), maximum);
}
void ProgressBar::SetPosition(int position) {
    SendMessageA(Handle(), PBM_SETPOS, static_cast<WPARAM>(position), 0);
}
int ProgressBar::Position() const { return static_cast<int>(SendMessageA(Handle(), PBM_GETPOS, 0, 0)); }

void Animation::Create(Container& parent, const Bounds& bounds) {
    CreateChild(&parent, parent.Handle(), ANIMATE_CLASSA, 0, "",
                WS_VISIBLE | ACS_TRANSPARENT | ACS_CENTER, bounds);
}
bool Animation::Open(HINSTANCE module, int resourceId) {
    return SendMessageA(Handle(), ACM_OPENA, reinterpret_cast<WPARAM>(module),
                        reinterpret_cast<LPARAM>(MAKEINTRESOURCEA(resourceId))) != 0;
}
void Animation::Play() { SendMessageA(Handle(), ACM_PLAY, static_cast<WPARAM>(-1), MAKELPARAM(0, 0xFFFF)); }
void Animation::Stop() { SendMessageA(Handle(), ACM_STOP, 0, 0); }

}  // namespace winui
