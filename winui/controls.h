#pragma once
// Thin wrappers over the system's controls. Each creates its control as a
// child of a container (or of another window) and gives names to the few
// messages the program uses; everything else goes through Handle().
#include <windows.h>
#include <commctrl.h>

#include <functional>
#include <string>
#include <vector>

#include "winui/control.h"

namespace winui {

// Static text. An auto-sized label is exactly as wide as its text.
class Label : public Control {
public:
    void Create(Container& parent, const Bounds& bounds, const std::string& caption,
                HFONT font);
    void SetCaption(const std::string& caption);
    void SetTextColor(COLORREF color);
    bool autoSize = true;
    bool HandleReflected(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    void FitToText();
    COLORREF textColor_ = CLR_INVALID;
};

// A push button; as a speed button it is flat and never takes the focus.
class Button : public Control {
public:
    void Create(Container& parent, const Bounds& bounds, const std::string& caption, HFONT font,
                DWORD extraStyle = 0);
};

class RadioButton : public Control {
public:
    void Create(Container& parent, const Bounds& bounds, const std::string& caption, HFONT font,
                bool firstOfGroup);
    bool Checked() const;
    void SetChecked(bool checked);
};

// A drop-down list; OnClick runs when the user picks another entry.
// What the plain and the extended combo box answer alike.
class ComboControl : public Control {
public:
    void ClearItems();
    int Count() const;
    int ItemIndex() const;
    void SetItemIndex(int index);
};

class ComboBox : public ComboControl {
public:
    void Create(Container& parent, const Bounds& bounds, HFONT font, int dropDownRows = 8);
    void AddItem(const std::string& text);
    std::string ItemText(int index) const;

protected:
    bool HandleCommand(WORD code) override;
};

// The extended combo box: entries with pictures from an image list.
class ComboBoxEx : public ComboControl {
public:
    std::function<void()> OnChange;
    void Create(Container& parent, const Bounds& bounds, HFONT font, int dropDownRows = 8);
    void SetImageList(HIMAGELIST images);
    void AddItem(const std::string& text, int image);
    std::string ItemText(int index) const;
    int ItemImage(int index) const;

protected:
    bool HandleCommand(WORD code) override;
};

class TreeView : public Control {
public:
    void Create(Container& parent, const Bounds& bounds, DWORD style, HFONT font);
    void SetImageList(HIMAGELIST images);
    void SetIndent(int indent);
    int Indent() const;

    // Items. `data` is the item's lParam; a caption-only child without
    // data and image is what a placeholder is made of.
    HTREEITEM AddChild(HTREEITEM parent, const std::string& caption, int image, LPARAM data);
    HTREEITEM AddPlaceholder(HTREEITEM parent);
    void Delete(HTREEITEM item);
    void DeleteChildren(HTREEITEM item);
    int Count() const;
    HTREEITEM Root() const;
    HTREEITEM FirstChild(HTREEITEM item) const;
    HTREEITEM NextSibling(HTREEITEM item) const;
    HTREEITEM ParentOf(HTREEITEM item) const;
    // Every item in index order (parents before their children, collapsed
    // or not), and back.
    HTREEITEM NextInOrder(HTREEITEM item) const;
    HTREEITEM PreviousInOrder(HTREEITEM item) const;
    HTREEITEM Selected() const;
    void Select(HTREEITEM item);
    void MakeVisible(HTREEITEM item);
    std::string Caption(HTREEITEM item) const;
    LPARAM Data(HTREEITEM item) const;
    int Image(HTREEITEM item) const;
    int SelectedImage(HTREEITEM item) const;
    bool Expanded(HTREEITEM item) const;
    void Expand(HTREEITEM item);
    void Collapse(HTREEITEM item);
    // The expansion button, independent of the children the item holds.
    bool HasChildrenMark(HTREEITEM item) const;
    void SetHasChildrenMark(HTREEITEM item, bool hasChildren);
    void SortChildren(HTREEITEM parent, PFNTVCOMPARE compare, LPARAM context);

    bool HandleReflected(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    // The tree reports a click before it moves the selection; the click is
    // passed on once the button-down handling is over, so a click handler
    // sees the item that was clicked as the selected one.
    bool inButtonDown_ = false;
    bool clickPending_ = false;
};

class ListView : public Control {
public:
    void Create(Container& parent, const Bounds& bounds, DWORD style, HFONT font);
    void AddColumn(const std::string& caption, int width);
    int ColumnCount() const;
    std::string ColumnCaption(int column) const;
    void SetColumnCaption(int column, const std::string& caption);
    int ColumnWidth(int column) const;
    void SetColumnWidth(int column, int width);
    // One of LV_VIEW_ICON, LV_VIEW_SMALLICON, LV_VIEW_LIST, LV_VIEW_DETAILS.
    void SetView(DWORD view);
    DWORD View() const;
    void SetImageList(int kind, HIMAGELIST images);
    HIMAGELIST ImageListOf(int kind) const;
    void SetItemCount(int count);
    int ItemCount() const;
    int SelectedCount() const;
    // First selected item after `after` (-1: from the start); -1 when none.
    int NextSelected(int after = -1) const;
    bool ItemSelected(int index) const;
    void SelectAll();
    void ClearSelection();
    void SelectOnly(int index);
    // The item under a client point, or -1.
    int ItemAt(int x, int y) const;
    void Repaint();
};

// An owner-drawn list box whose items carry a check state. The check box is
// drawn in a column at the left; OnDrawItem paints the rest.
class CheckListBox : public Control {
public:
    enum class State { Unchecked, Checked, Grayed };
    struct Item {
        std::string text;
        State state = State::Unchecked;
        bool enabled = true;
    };
    // The list box has filled the item with the selection or background
    // brush, which is selected into item.hDC; `content` is right of the
    // check column.
    std::function<void(int index, const RECT& content, const DRAWITEMSTRUCT& item)> OnDrawItem;
    bool allowGrayed = false;
    COLORREF drawColor = CLR_INVALID;  // background for owner-drawn items; the form sets it

    void Create(Container& parent, const Bounds& bounds, HFONT font, int itemHeight);
    void AddItem(const std::string& text, State state = State::Unchecked, bool enabled = true);
    void ClearItems();
    int Count() const { return static_cast<int>(items_.size()); }
    const Item& ItemAt(int index) const { return items_.at(static_cast<size_t>(index)); }
    bool Selected(int index) const;
    void SetSelected(int index, bool selected);
    int SelectedCount() const;
    int ItemHeight() const;
    static constexpr int kCheckColumnWidth = 16;

    bool HandleReflected(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    std::vector<Item> items_;
};

class StatusBar : public Control {
public:
    void Create(Container& parent, const Bounds& bounds, HFONT font);
    void SetPanels(const std::vector<int>& widths);
    int PanelCount() const;
    std::vector<int> PanelWidths() const { return widths_; }
    void SetPanelText(int panel, const std::string& text);
    std::string PanelText(int panel) const;

private:
    std::vector<int> widths_;
};

class Memo : public Control {
public:
    void Create(Container& parent, const Bounds& bounds, HFONT font, bool visible);
    std::vector<std::string> Lines() const;
};

class ProgressBar : public Control {
public:
    void Create(Container& parent, const Bounds& bounds);
    void SetRange(int minimum, int maximum);
    void SetPosition(int position);
    int Position() const;
};

class Animation : public Control {
public:
    void Create(Container& parent, const Bounds& bounds);
    bool Open(HINSTANCE module, int resourceId);
    void Play();
    void Stop();
};

}  // namespace winui
