#include "frame/fWBPInfo.h"

#include "frame/WBProg.h"

#include <shellapi.h>

static_assert(sizeof("ß") == 2, "build with -fexec-charset=CP1252");

TfrmWBPInfoFRM* frmWBPInfoFRM = nullptr;

std::function<void(HWND, const std::string&)> TfrmWBPInfoFRM::OpenWebAddress =
    [](HWND owner, const std::string& address) {
        ShellExecuteA(owner, "open", address.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
    };

namespace {

constexpr int Width = 494;
constexpr int Height = 304;
constexpr TColor ShapeColor{false, RGB(255, 177, 100)};

HCURSOR HandCursor() { return LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_HAND)); }

} // namespace

TfrmWBPInfoFRM::TfrmWBPInfoFRM() {
    if (!Create("TfrmWBPInfoFRM", " Infos zum Programm", Width, Height, TFontSpec{12}))
        return;
    PaintArea({0, 0, Width, Height}, clWhite, clBlack); // Panel1: white, one-line border
    PaintArea({1, 1, 77, Height - 2}, ShapeColor);      // Shape2, inside the panel's border
    ProgramIcon.Create(*this, {16, 16, 32, 32});
    Label2.Create(*this, {90, 12, 0, 0}, "Wembrik Software", TFontSpec{13, true, false, true}, clBlack);
    lbtitle.Create(*this, {90, 52, 0, 0}, "", TFontSpec{19, true}, clBlack);
    lbVersion.Create(*this, {90, 84, 0, 0}, "", TFontSpec{12}, clBlack);
    lbInternet.Create(*this, {90, 228, 87, 16}, WembrikHost, TFontSpec{13, true, false, true}, clNavy,
                      TAlignment::Center, true);
    lbCopyright.Create(*this, {90, 258, 0, 0}, "", TFontSpec{11}, clBlack);
    btOK.Create(*this, {394, 267, 80, 25}, "&OK", true);
    btOK.ModalResult = mrOk;
    btOK.Cursor = HandCursor();
    SetHint(btOK, "Fenster schließen");
    DefaultButton = &btOK;
    FirstFocus = &btOK;
    SetTabOrder({&btOK});

    lbInternet.OnClick = [this](TComponent&) { lbInternetClick(); };
    lbInternet.OnMouseMove = [this](TComponent&) { lbInternetMouseMove(); };
    OnMouseMove = [this](TComponent&) { Panel1MouseMove(); };
}

TfrmWBPInfoFRM::~TfrmWBPInfoFRM() = default;

void TfrmWBPInfoFRM::ShowInfo(const std::string& title) {
    if (!Handle() || !ProgContext)
        return;
    const TWBProg& context = *ProgContext;
    HICON icon = Application.Icon() ? Application.Icon() : LoadIconA(Application.Instance(), "MAINICON");
    ProgramIcon.SetIcon(icon);
    lbtitle.SetText(title.empty() ? context.ProductName : title);
    lbVersion.SetText("Version " + context.ProductVersion + (context.Portable ? " (P)" : ""));
    lbCopyright.SetText("(c) " + context.LegalCopyright);
    ShowModal();
    FormClose();
}

void TfrmWBPInfoFRM::lbInternetClick() {
    lbInternet.SetColor(clRed); // stays red until the dialog closes
    if (OpenWebAddress)
        OpenWebAddress(Handle(), WembrikAddress);
}

void TfrmWBPInfoFRM::lbInternetMouseMove() { Application.Cursor = HandCursor(); }

void TfrmWBPInfoFRM::Panel1MouseMove() { Application.Cursor = nullptr; }

void TfrmWBPInfoFRM::FormClose() {
    // The hand belongs to the link: closed from the keyboard while the mouse rests on the link, the
    // dialog would otherwise leave the hand over the main window.
    Application.Cursor = nullptr;
}
