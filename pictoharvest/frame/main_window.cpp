// TForm1: construction, start-up and shut-down of the main window.
#include "pictoharvest/frame/main_window.h"

#include <ole2.h>

#include <array>
#include <vector>

#include "pictoharvest/frame/app_state.h"
#include "pictoharvest/frame/file_version.h"

namespace ph {

TForm1::TForm1() {
    font_ = winui::MakeFont({"Tahoma", -11, false, false, ANSI_CHARSET});
    boldFont_ = winui::MakeFont({"Tahoma", -11, true, false, ANSI_CHARSET});
    linkFont_ = winui::MakeFont({"Tahoma", -11, false, true, ANSI_CHARSET});
    speedButtonFont_ = winui::MakeFont({"MS Sans Serif", -11, true, false, ANSI_CHARSET});

    isMainForm = true;
    CreateForm("TForm1", "Pictoharvest", {1, 1, 950, 600});
    SetFont(font_.get());
    CreatePictures();
    CreateMenus();
    CreateComponents();
    BindEvents();

    // Construction steps.
    historyIndex = 0;
    filterMode = 0;

    CheckListBox1.ClearItems();
    CheckListBox1.allowGrayed = false;
    CheckListBox1.drawColor = RGB(0xFF, 0xFF, 0xFF);

    char exePath[MAX_PATH] = {};
    const DWORD exeLength = GetModuleFileNameA(nullptr, exePath, MAX_PATH);
    std::array<char, 100> version{};
    GetFileVersionField(exePath, "FileVersion", static_cast<unsigned>(version.size()), version.data());
    ProgramVersion = version.data();
    StatusBar1.SetPanelText(0, "Pictoharvest Version " + ProgramVersion);

    std::string exe(exePath, exeLength);
    ProgramFolder = exe.substr(0, exe.find_last_of('\\') + 1);

    IsWow64 = false;
    if (IsWow64ProcessBinding) {
        BOOL wow64 = FALSE;
        if (IsWow64ProcessBinding(GetCurrentProcess(), &wow64)) IsWow64 = wow64 != FALSE;
    }
    GetVersionInfo();
    spareIcon = nullptr;

    Realign();
    FormResize();
    RunCreateHandler([this] { FormCreate(); });
}

TForm1::~TForm1() {
    // The windows go first, while every object they report to still exists.
    Timer1.Stop();
    if (Handle()) DestroyWindow(Handle());
}

void TForm1::GetVersionInfo() {
    OSVERSIONINFOA info{};
    info.dwOSVersionInfoSize = sizeof(info);
    IsWinNT = GetVersionExA(&info) && info.dwPlatformId == VER_PLATFORM_WIN32_NT;
}

void TForm1::FormCreate() {
    InitForm();
    ChooseLanguage();
    FillLanguage();
    SHGetMalloc(shellAllocator.Put());
    OleInitialize(nullptr);
    CreateBrowserLists();

    // The file list and the tree show the shell's own icons: views of the
    // system image lists, never destroyed by us or by the controls.
    SHFILEINFOA info{};
    listLargeImages.Assign(reinterpret_cast<HIMAGELIST>(SHGetFileInfoA(
                               "", 0, &info, sizeof(info), SHGFI_SYSICONINDEX | SHGFI_ICON)),
                           true);
    if (info.hIcon) DestroyIcon(info.hIcon);
    info = {};
    listSmallImages.Assign(reinterpret_cast<HIMAGELIST>(SHGetFileInfoA(
                               "", 0, &info, sizeof(info), SHGFI_SYSICONINDEX | SHGFI_ICON | SHGFI_SMALLICON)),
                           true);
    if (info.hIcon) DestroyIcon(info.hIcon);
    info = {};
    treeImages.Assign(reinterpret_cast<HIMAGELIST>(SHGetFileInfoA(
                          "", 0, &info, sizeof(info), SHGFI_SYSICONINDEX | SHGFI_ICON | SHGFI_SMALLICON)),
                      true);
    if (info.hIcon) DestroyIcon(info.hIcon);
    ListView1.SetImageList(LVSIL_NORMAL, listLargeImages.Handle());
    ListView1.SetImageList(LVSIL_SMALL, listSmallImages.Handle());
    TreeView1.SetImageList(treeImages.Handle());

    BuildDesktopRoot();
    SelectDesktopRoot();
    if (IsWinNT) StartChangeWatchers();
}

void TForm1::StartChangeWatchers() {
    for (char letter = 'A'; letter <= 'Z'; ++letter) {
        const std::string root = std::string(1, letter) + ":\\";
        if (GetDriveTypeA(root.c_str()) == DRIVE_FIXED) LookForChanges(root);
    }
}

void TForm1::FormClose(bool& close) {
    StopWin9xChangeLoop();
    SaveLayout();
    close = true;
}

void TForm1::FormResize() {
    ComboBoxEx1.SetWidth(Panel1.Width() - ComboBox1.Width() - 140);
    Label4.SetLeft(ComboBoxEx1.Width() + 66);
    ComboBox1.SetLeft(Label4.Width() + ComboBoxEx1.Width() + 70);
    CheckListBox1.SetHeight(Panel4.Height() - 80);
}

void TForm1::Panel5Resize() { SpeedButton1.SetLeft(Panel5.Width() - 20); }

LRESULT TForm1::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_DRAWITEM:
        case WM_MEASUREITEM:
        case WM_INITMENUPOPUP: {
            const LRESULT result = Form::HandleMessage(message, wParam, lParam);
            WMContextMenu2(message, wParam, lParam);
            return result;
        }
        case kRestartEditMessage:
            RestartEdit(lParam);
            return 0;
        default:
            return Form::HandleMessage(message, wParam, lParam);
    }
}

}  // namespace ph
