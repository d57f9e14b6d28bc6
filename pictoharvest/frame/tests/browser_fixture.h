#pragma once
// A real main window over a real folder on the prefix's drive C:, and the
// few steps the folder-tree and file-list tests share.
#include <windows.h>
#include <commctrl.h>

#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "pictoharvest/browser/list_text.h"
#include "pictoharvest/frame/app_state.h"
#include "pictoharvest/frame/main_window.h"
#include "test_support.h"
#include "winui/testing/scripted_prompts.h"

namespace ph::testing {

inline void Pump() {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

inline constexpr const char* kComputerPath = "::{20D04FE0-3AEA-1069-A2D8-08002B30309D}";

inline void MakeFolder(const std::string& path) { ASSERT_TRUE(CreateDirectoryA(path.c_str(), nullptr)) << path; }

inline void MakeFile(const std::string& path, std::size_t bytes) {
    WriteBytes(path, std::vector<std::uint8_t>(bytes, 'x'));
}

class BrowserWindow : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        INITCOMMONCONTROLSEX controls{};
        controls.dwSize = sizeof(controls);
        controls.dwICC = ICC_WIN95_CLASSES | ICC_COOL_CLASSES | ICC_USEREX_CLASSES | ICC_STANDARD_CLASSES;
        InitCommonControlsEx(&controls);
        InitializeUnit();
    }
    void SetUp() override {
        root = temp.path().string();
        ASSERT_EQ(root.substr(0, 3), "C:\\");
        form = std::make_unique<TForm1>();
        ShowWindow(form->Handle(), SW_SHOWNORMAL);
        SetWindowPos(form->Handle(), nullptr, 1, 1, 950, 600, SWP_NOZORDER);
        Pump();
    }
    void TearDown() override {
        if (form && form->Handle()) DestroyWindow(form->Handle());
        form.reset();
        Pump();
    }

    winui::TreeView& Tree() { return form->TreeView1; }

    HTREEITEM ChildByCaption(HTREEITEM parent, const std::string& caption) {
        for (HTREEITEM child = Tree().FirstChild(parent); child; child = Tree().NextSibling(child))
            if (Tree().Caption(child) == caption) return child;
        return nullptr;
    }

    std::vector<std::string> ChildCaptions(HTREEITEM parent) {
        std::vector<std::string> captions;
        for (HTREEITEM child = Tree().FirstChild(parent); child; child = Tree().NextSibling(child))
            captions.push_back(Tree().Caption(child));
        return captions;
    }

    // Expands the way down to a folder, as a user opening each level would.
    HTREEITEM OpenFolder(const std::string& path) {
        HTREEITEM computer = form->FindNodeAbs(kComputerPath);
        if (!computer) return nullptr;
        form->ExpandNode(computer);
        std::string prefix;
        std::size_t start = 0;
        HTREEITEM node = nullptr;
        while (start <= path.size()) {
            const std::size_t slash = path.find('\\', start);
            const std::string part = path.substr(start, slash == std::string::npos ? std::string::npos : slash - start);
            if (!part.empty()) {
                prefix = prefix.empty() ? part : prefix + "\\" + part;
                node = form->FindNodeByPath(prefix.size() == 2 ? prefix + "\\" : prefix);
                if (!node) return nullptr;
                form->ExpandNode(node);
            }
            if (slash == std::string::npos) break;
            start = slash + 1;
        }
        return node;
    }

    // Selects a node and runs the click handler, as a click on it does.
    void Choose(HTREEITEM node) {
        Tree().Select(node);
        form->TreeView1Click();
    }

    std::string ItemText(int index, int column) {
        char buffer[260] = {};
        LVITEMA item{};
        item.iSubItem = column;
        item.pszText = buffer;
        item.cchTextMax = sizeof(buffer);
        SendMessageA(form->ListView1.Handle(), LVM_GETITEMTEXTA, static_cast<WPARAM>(index),
                     reinterpret_cast<LPARAM>(&item));
        return buffer;
    }

    // The list's captions in its order.
    std::vector<std::string> ListCaptions() {
        std::vector<std::string> captions;
        for (int i = 0; i < form->ListView1.ItemCount(); ++i) captions.push_back(ItemText(i, 0));
        return captions;
    }

    int ListIndexOf(const std::string& caption) {
        const auto captions = ListCaptions();
        for (std::size_t i = 0; i < captions.size(); ++i)
            if (captions[i] == caption) return static_cast<int>(i);
        return -1;
    }

    TempDir temp;
    std::string root;
    winui::testing::ScriptedPrompts prompts;
    std::unique_ptr<TForm1> form;
};

}  // namespace ph::testing
