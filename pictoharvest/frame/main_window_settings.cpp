// Settings store: the layout restored at start-up and saved at shut-down.
#include "pictoharvest/frame/main_window.h"

#include <optional>
#include <string_view>

#include "pictoharvest/frame/registry_text.h"

namespace ph {
namespace {

const char kOptionsKey[] = "Software\\Pictoharvest\\Options";

}  // namespace

void TForm1::InitForm() {
    SetBounds({10, 10, 950, 600});
    auto number = [this](const char* name) { return ParseStoredInt(ReadReg(1, kOptionsKey, name, "s")); };
    const std::optional<int> treeWidth = number("treewidth");
    const std::optional<int> iconBottomHeight = number("iconbottomwidth");
    const std::optional<int> left = number("left");
    const std::optional<int> height = number("height");
    const std::optional<int> width = number("width");
    const std::optional<int> top = number("top");

    // The window as it will stand; a place on no monitor is unreachable,
    // so the position falls back to its default there.
    winui::Bounds window{left.value_or(1), top.value_or(1), width.value_or(950), height.value_or(600)};
    if (window.width <= 0) window.width = 950;
    if (window.height <= 0) window.height = 600;
    const RECT placed{window.left, window.top, window.left + window.width, window.top + window.height};
    if (!MonitorFromRect(&placed, MONITOR_DEFAULTTONULL)) window.left = window.top = 1;

    // Panes are judged against the client area of that window: a pane below
    // its splitter's minimum or wider than the window cannot be used.
    RECT client{};
    GetClientRect(Handle(), &client);
    const int clientWidth = window.width - (Width() - client.right);
    const int clientHeight = window.height - (Height() - client.bottom);
    auto usable = [](std::optional<int> size, int minimum, int available) {
        return size && *size >= minimum && *size <= available ? size : std::nullopt;
    };

    // The panes keep their resource sizes otherwise.
    if (auto size = usable(treeWidth, Splitter1.minSize, clientWidth)) Panel3.SetWidth(*size);
    if (auto size = usable(iconBottomHeight, Splitter2.minSize, clientHeight)) Panel2.SetHeight(*size);
    SetBounds({window.left, Top(), Width(), Height()});
    SetBounds({Left(), Top(), Width(), window.height});
    SetBounds({Left(), Top(), window.width, Height()});
    SetBounds({Left(), window.top, Width(), Height()});

    if (ReadReg(1, kOptionsKey, "statbar", "s") == "0") Statusleiste1Click();

    const std::string view = ReadReg(1, kOptionsKey, "viewstyle", "s");
    if (view == "0") GroeSymbole1Click();
    else if (view == "1") KleineSymbole1Click();
    else if (view == "2") Liste1Click();
    else if (view == "3") Details1Click();

    // Each width is closed by ";"; what follows the last one, and widths
    // beyond the last column, are left alone, and so is a piece that is no
    // width (a negative one would ask the list to size the column itself).
    const std::string widths = ReadReg(1, kOptionsKey, "columnswidth", "s");
    std::string_view rest = widths;
    for (int column = 0; column < ListView1.ColumnCount(); ++column) {
        const std::size_t end = rest.find(';');
        if (end == std::string_view::npos) break;
        const std::optional<int> columnWidth = ParseStoredInt(rest.substr(0, end));
        if (columnWidth && *columnWidth >= 0) ListView1.SetColumnWidth(column, *columnWidth);
        rest.remove_prefix(end + 1);
    }
}

void TForm1::SaveLayout() {
    auto store = [this](const char* name, const std::string& text) { WriteReg(1, kOptionsKey, name, text, "s"); };
    store("statbar", StatusBar1.Visible() ? "1" : "0");
    std::string widths;
    for (int column = 0; column < ListView1.ColumnCount(); ++column)
        widths += std::to_string(ListView1.ColumnWidth(column)) + ";";
    store("columnswidth", widths);
    store("left", std::to_string(Left()));
    store("height", std::to_string(Height()));
    store("top", std::to_string(Top()));
    store("width", std::to_string(Width()));
    store("treewidth", std::to_string(Panel3.Width()));
    store("iconbottomwidth", std::to_string(Panel2.Height()));
    auto ticked = [this](const char* name) {
        const winui::MenuItem* item = FindMenuItem(name);
        return item && item->Checked();
    };
    store("viewstyle", ticked("GroeSymbole1") ? "0" : ticked("KleineSymbole1") ? "1" : ticked("Liste1") ? "2" : "3");
}

}  // namespace ph
