// The calculator window as it opens: its own properties, every control's window class, place, text, font
// and colour, the tab order, the tool tips, the popup menu, the shape and the move by the background.
#include "KalkomatFixture.h"

#include <cstring>

using namespace uitest;

namespace {

struct TFontWant {
    int Height;
    bool Bold;
    bool Italic;
    bool Underline;
};
constexpr TFontWant Regular12{12, false, false, false};
constexpr TFontWant Underlined12{12, false, false, true};
constexpr TFontWant Regular11{11, false, false, false};
constexpr TFontWant Bold13{13, true, false, false};
constexpr TFontWant Bold16{16, true, false, false};
constexpr TFontWant BoldItalic16{16, true, true, false};

constexpr COLORREF Black = RGB(0, 0, 0);
constexpr COLORREF Grey = RGB(128, 128, 128);
const COLORREF Text = GetSysColor(COLOR_WINDOWTEXT);

LOGFONTA FontOf(HWND control) {
    LOGFONTA font{};
    GetObjectA(reinterpret_cast<HFONT>(SendMessageA(control, WM_GETFONT, 0, 0)), sizeof(font), &font);
    return font;
}

void ExpectFont(HWND control, const TFontWant& want) {
    const LOGFONTA font = FontOf(control);
    EXPECT_EQ(font.lfHeight, -want.Height); // em height, not cell height
    EXPECT_EQ(font.lfWeight >= FW_BOLD, want.Bold);
    EXPECT_EQ(font.lfItalic != 0, want.Italic);
    EXPECT_EQ(font.lfUnderline != 0, want.Underline);
    EXPECT_STREQ(font.lfFaceName, "Arial");
    EXPECT_EQ(font.lfCharSet, ANSI_CHARSET);
}

// The text colour the window gives a label, asked the way the label asks when it paints.
COLORREF TextColourOf(HWND form, HWND label) {
    HDC dc = CreateCompatibleDC(nullptr);
    SendMessageA(form, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(label));
    const COLORREF colour = GetTextColor(dc);
    DeleteDC(dc);
    return colour;
}

SIZE TextExtent(HWND control, const std::string& text) {
    HDC dc = GetDC(control);
    HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageA(control, WM_GETFONT, 0, 0)));
    SIZE size{};
    GetTextExtentPoint32A(dc, text.c_str(), static_cast<int>(text.size()), &size);
    SelectObject(dc, old);
    ReleaseDC(control, dc);
    return size;
}

} // namespace

TEST_F(KalkomatWindow, WindowItself) {
    HWND form = W().Handle();
    EXPECT_EQ(ClassOf(form), "TfrmKalkomat");
    EXPECT_EQ(WindowText(form), "Punkterechner (Bundesjugendspiele LA)");
    RECT client{};
    GetClientRect(form, &client);
    EXPECT_EQ(client.right, 642);
    EXPECT_EQ(client.bottom, 482);
    const LONG_PTR style = GetWindowLongPtrA(form, GWL_STYLE);
    EXPECT_EQ(style & (WS_CAPTION | WS_THICKFRAME | WS_BORDER | WS_DLGFRAME | WS_VSCROLL | WS_HSCROLL), 0);
    const RECT r = ScreenRectOf(form);
    EXPECT_EQ(r.right - r.left, 642); // no frame around the client area
    EXPECT_NEAR((r.left + r.right) / 2.0, GetSystemMetrics(SM_CXSCREEN) / 2.0, 1);
    EXPECT_NEAR((r.top + r.bottom) / 2.0, GetSystemMetrics(SM_CYSCREEN) / 2.0, 1);
    EXPECT_EQ(Application.Handle(), form);
    EXPECT_EQ(GetFocus(), W().cbSprintDN.Handle());
}

TEST_F(KalkomatWindow, LabelsAsLaidOut) {
    const struct {
        TLabel& Label;
        int Left, Top, Right; // Right only for the right-aligned labels, which keep their right edge
        const char* Caption;
        TFontWant Font;
        COLORREF Colour;
    } rows[] = {
        {W().Label18, 48, 72, 0, "Kalkomat", {16, true, false, true}, Text},
        {W().Label21, 88, 104, 0, "Jungen", Regular12, Text},
        {W().Label22, 88, 128, 0, "Mädchen", Regular12, Text},
        {W().Label1, 214, 104, 0, "Geburtsjahr", Regular12, Text},
        {W().Label10, 214, 130, 0, "Altersgruppe", Regular12, Text},
        {W().lbStartgruppe, 304, 130, 0, "M8", Bold16, Text},
        {W().Label11, 160, 178, 0, "Disziplin", Underlined12, Text},
        {W().Label4, 304, 178, 0, "Messwert", Underlined12, Text},
        {W().Label2, 0, 178, 550, "Punkte", Underlined12, Text},
        {W().Label3, 44, 204, 0, "Sprint", Bold16, Black},
        {W().Label6, 44, 236, 0, "Sprung", Bold16, Black},
        {W().Label9, 164, 236, 0, "Weitsprung", Bold13, Black},
        {W().Label12, 164, 260, 0, "Hochsprung", Bold13, Black},
        {W().Label7, 44, 292, 0, "Wurf / Stoß", Bold16, Black},
        {W().Label8, 44, 322, 0, "Ausdauer", Bold16, Black},
        {W().Label5, 408, 200, 0, "s", BoldItalic16, Grey},
        {W().Label13, 408, 232, 0, "m", BoldItalic16, Grey},
        {W().Label14, 408, 256, 0, "m", BoldItalic16, Grey},
        {W().Label15, 408, 288, 0, "m", BoldItalic16, Grey},
        {W().Label16, 408, 320, 0, "min:s", BoldItalic16, Grey},
        {W().Label17, 340, 314, 0, ":", {27, true, false, false}, Text},
        {W().lbPTSprint, 0, 200, 549, "0", Bold13, Text},
        {W().lbPTWeitsprung, 0, 232, 549, "0", Bold13, Text},
        {W().lbPTHochsprung, 0, 264, 549, "0", Bold13, Text},
        {W().lbPTWurf, 0, 288, 549, "0", Bold13, Text},
        {W().lbPTLauf, 0, 320, 549, "0", Bold13, Text},
        {W().lbPTSumme, 0, 376, 549, "0", {19, true, false, false}, Text},
        {W().lbUrkundenPunkte, 46, 373, 0, "Mindestpunktzahl  SU: 450   EU: 575", Regular12, Text},
        {W().Label19, 46, 397, 0, "(gewertet werden die 3 besten Disziplinen)", Regular11, Text},
        {W().lbUrkunde, 498, 64, 0, "----", {56, true, false, false}, Text},
        {W().Label20, 518, 136, 0, "Urkunde", Regular11, Grey},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.Caption);
        HWND label = row.Label.Handle();
        ASSERT_TRUE(IsWindow(label));
        EXPECT_EQ(ClassOf(label), "Static");
        EXPECT_EQ(WindowText(label), row.Caption);
        const TBounds b = row.Label.Bounds();
        EXPECT_EQ(b.Top, row.Top);
        if (row.Right) {
            EXPECT_EQ(b.Right(), row.Right);
        } else {
            EXPECT_EQ(b.Left, row.Left);
        }
        // Sized to its text with room for a glyph that reaches past its advance: nothing clipped.
        const SIZE text = TextExtent(label, row.Caption);
        EXPECT_GE(b.Width, text.cx + 1);
        EXPECT_LE(b.Width, text.cx + 2);
        EXPECT_GE(b.Height, text.cy);
        ExpectFont(label, row.Font);
        EXPECT_EQ(TextColourOf(W().Handle(), label), row.Colour);
    }
}

TEST_F(KalkomatWindow, FieldsListsAndButtonsAsLaidOut) {
    const struct {
        TControl& Control;
        const char* Class;
        TBounds Want;
    } rows[] = {
        {W().edSprintDW, "Edit", {304, 200, 89, 23}},
        {W().edWeitsprungDW, "Edit", {304, 232, 89, 23}},
        {W().edHochsprungDW, "Edit", {304, 256, 89, 23}},
        {W().edWurfDW, "Edit", {304, 288, 89, 23}},
        {W().edLaufDWmin, "Edit", {304, 320, 33, 23}},
        {W().edLaufDWs, "Edit", {352, 320, 41, 23}},
        {W().cbSprintDN, "ComboBox", {160, 200, 97, 23}},
        {W().cbWurfDN, "ComboBox", {160, 288, 97, 23}},
        {W().cbLaufDN, "ComboBox", {160, 320, 97, 23}},
        {W().cbGeburtsjahrgang, "ComboBox", {304, 100, 73, 23}},
        {W().rbM, "Button", {64, 104, 17, 17}},
        {W().rbW, "Button", {64, 128, 17, 17}},
        {W().btInfo, "TSpeedButton", {408, 70, 25, 25}},
        {W().btClose, "TSpeedButton", {432, 70, 25, 25}},
        {W().btRechnen, "TSpeedButton", {368, 416, 185, 41}},
    };
    for (const auto& row : rows) {
        HWND control = row.Control.Handle();
        SCOPED_TRACE(std::string(row.Class) + " at " + std::to_string(row.Want.Left) + "," +
                     std::to_string(row.Want.Top));
        ASSERT_TRUE(IsWindow(control));
        EXPECT_EQ(ClassOf(control), row.Class);
        const TBounds b = row.Control.Bounds();
        EXPECT_EQ(b.Left, row.Want.Left);
        EXPECT_EQ(b.Top, row.Want.Top);
        EXPECT_EQ(b.Width, row.Want.Width);
        EXPECT_EQ(b.Height, row.Want.Height);
    }
    for (TEditField* field : {&W().edSprintDW, &W().edWeitsprungDW, &W().edHochsprungDW, &W().edWurfDW,
                              &W().edLaufDWmin, &W().edLaufDWs}) {
        EXPECT_EQ(field->Text(), "");
        ExpectFont(field->Handle(), Regular12);
    }
    for (TComboList* list : {&W().cbSprintDN, &W().cbWurfDN, &W().cbLaufDN, &W().cbGeburtsjahrgang}) {
        EXPECT_EQ(GetWindowLongPtrA(list->Handle(), GWL_STYLE) & 3, CBS_DROPDOWNLIST); // choose only
        EXPECT_EQ(SendMessageA(list->Handle(), CB_GETITEMHEIGHT, 0, 0), 15);
        ExpectFont(list->Handle(), Regular12);
    }
    EXPECT_EQ(SendMessageA(W().cbGeburtsjahrgang.Handle(), CB_GETMINVISIBLE, 0, 0), 20);
    EXPECT_TRUE(W().rbM.Checked());
    EXPECT_FALSE(W().rbW.Checked());
    EXPECT_EQ(WindowText(W().btRechnen.Handle()), "Berechnen");
    ExpectFont(W().btRechnen.Handle(), {19, true, false, false});
    EXPECT_TRUE(W().btInfo.HasGlyph());
    EXPECT_TRUE(W().btClose.HasGlyph());
    EXPECT_FALSE(W().btRechnen.HasGlyph());
}

TEST_F(KalkomatWindow, ToolTipsAndPopupMenu) {
    const struct {
        TControl& Control;
        const char* Hint;
    } hints[] = {
        {W().lbUrkunde,
         "Urkunde\r\n\r\n--- = keine Urkunde\r\nTU = Teilnehmerurkunde\r\nSU = Siegerurkunde\r\n"
         "EU = Ehrenurkunde"},
        {W().cbSprintDN, "Sprint\r\n\r\n50= 50-Meter-Lauf\r\n75= 75-Meter-Lauf\r\n100=100-Meter-Lauf"},
        {W().cbWurfDN,
         "Wurf / Stoß\r\n\r\n80=Schlagball 80 \r\n200=Ball 200 g\r\n1000=Scheuderball 1000g (1 kg)"
         "\r\n3=Kugel 3 kg\r\n4=Kugel 4 kg\r\n5=Kugel 5 kg\r\n6=Kugel 6,25 kg"},
        {W().cbLaufDN, "Ausdauerlauf\r\n\r\n800=800m\r\n1000=1000m\r\n2000=2000m\r\n3000=3000m"},
        {W().btInfo, "Programminfo anzeigen"},
        {W().btClose, "Programm beenden"},
        {W().btRechnen, "Punkte und Urkunden berechnen"},
        {W().Label18, ""}, // no other control has one
        {W().edSprintDW, ""},
    };
    for (const auto& row : hints)
        EXPECT_EQ(W().Hints().TextOf(row.Control.Handle()), row.Hint);

    HMENU menu = W().pmnuOptions.Handle();
    ASSERT_EQ(GetMenuItemCount(menu), 4);
    const char* captions[] = {"Programmsymbol auf Desktop anlegen", "Programminfo", nullptr, "Beenden"};
    for (int i = 0; i < 4; ++i) {
        MENUITEMINFOA info{};
        info.cbSize = sizeof(info);
        info.fMask = MIIM_FTYPE;
        GetMenuItemInfoA(menu, static_cast<UINT>(i), TRUE, &info);
        char caption[64] = {};
        GetMenuStringA(menu, static_cast<UINT>(i), caption, sizeof(caption), MF_BYPOSITION);
        EXPECT_EQ((info.fType & MFT_SEPARATOR) != 0, captions[i] == nullptr);
        if (captions[i]) {
            EXPECT_STREQ(caption, captions[i]);
        }
    }
    EXPECT_EQ(W().Label18.PopupMenu, &W().pmnuOptions);
}

namespace {

// Notes the popup menus that open and closes each with Esc, from a thread timer that the menu's own
// loop dispatches.
struct TMenuWatch {
    static inline int Opened = 0;
    static inline int Items = 0;
    static BOOL CALLBACK Find(HWND window, LPARAM found) {
        if (IsWindowVisible(window) && ClassOf(window) == "#32768") {
            *reinterpret_cast<HWND*>(found) = window;
            return FALSE;
        }
        return TRUE;
    }
    static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
        HWND menu = nullptr;
        EnumWindows(&Find, reinterpret_cast<LPARAM>(&menu));
        if (!menu)
            return;
        ++Opened;
        Items = GetMenuItemCount(reinterpret_cast<HMENU>(SendMessageA(menu, MN_GETHMENU, 0, 0)));
        EndMenu();
    }
};

} // namespace

TEST_F(KalkomatWindow, RightClickOnTheHeadingOnlyOpensTheMenu) {
    TMenuWatch::Opened = 0;
    const UINT_PTR timer = SetTimer(nullptr, 0, 20, &TMenuWatch::Tick);
    const auto rightClick = [](HWND target, int x, int y) {
        PostMessageA(target, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(x, y));
        PostMessageA(target, WM_RBUTTONUP, 0, MAKELPARAM(x, y));
        Pump(150);
    };
    rightClick(W().Label2.Handle(), 2, 2);     // another label
    rightClick(W().Handle(), 300, 450);        // the bare background
    rightClick(W().edSprintDW.Handle(), 5, 5); // an entry field has its own edit menu, not ours
    TMenuWatch::Opened = 0;
    rightClick(W().Handle(), 300, 150);
    EXPECT_EQ(TMenuWatch::Opened, 0);
    rightClick(W().Label18.Handle(), 5, 5);
    KillTimer(nullptr, timer);
    EXPECT_EQ(TMenuWatch::Opened, 1);
    EXPECT_EQ(TMenuWatch::Items, 4);
}

namespace {

BOOL CALLBACK FindShownTip(HWND window, LPARAM found) {
    if (IsWindowVisible(window) && ClassOf(window) == "tooltips_class32") {
        *reinterpret_cast<HWND*>(found) = window;
        return FALSE;
    }
    return TRUE;
}

} // namespace

TEST_F(KalkomatWindow, ToolTipShowsAllItsLines) {
    // The mouse comes to rest on the throw list: the tip appears with all nine lines.
    HWND list = W().cbWurfDN.Handle();
    const RECT r = ScreenRectOf(list);
    SetCursorPos(r.left + 20, r.top + 10);
    PostMessageA(list, WM_MOUSEMOVE, 0, MAKELPARAM(20, 10));
    HWND tip = nullptr;
    ASSERT_TRUE(PumpUntil(
        [&] {
            EnumThreadWindows(GetCurrentThreadId(), &FindShownTip, reinterpret_cast<LPARAM>(&tip));
            return tip != nullptr;
        },
        3000));
    EXPECT_EQ(WindowText(tip),
              "Wurf / Stoß\r\n\r\n80=Schlagball 80 \r\n200=Ball 200 g\r\n1000=Scheuderball 1000g "
              "(1 kg)\r\n3=Kugel 3 kg\r\n4=Kugel 4 kg\r\n5=Kugel 5 kg\r\n6=Kugel 6,25 kg");
    const RECT shown = ScreenRectOf(tip);
    EXPECT_GT(shown.bottom - shown.top, 9 * 12); // nine lines, one below the other
    SetCursorPos(0, 0);
}

TEST_F(KalkomatWindow, RegionIsCutFromThePicture) {
    HRGN region = CreateRectRgn(0, 0, 0, 0);
    ASSERT_NE(GetWindowRgn(W().Handle(), region), ERROR);
    RECT box{};
    GetRgnBox(region, &box);
    EXPECT_EQ(box.left, 2);
    EXPECT_EQ(box.top, 1);
    EXPECT_EQ(box.right, 634);
    EXPECT_EQ(box.bottom, 479);
    const struct {
        int X, Y;
        bool Inside;
    } points[] = {
        {0, 0, false},     // yellow corner
        {637, 470, false}, // yellow corner bottom right
        {639, 200, false}, // the two-pixel strip to the right of the picture
        {320, 481, false}, // the strip below it
        {100, 100, true},  // the panel
        {535, 98, true},   // the disc's centre
        {5, 200, true},    // the bar on the left
        {10, 50, false},   // beside the bar, above it
    };
    for (const auto& p : points) {
        SCOPED_TRACE(std::to_string(p.X) + "," + std::to_string(p.Y));
        EXPECT_EQ(PtInRegion(region, p.X, p.Y) != FALSE, p.Inside);
    }
    DeleteObject(region);

    // A click on a yellow corner reaches whatever lies beneath the window.
    const RECT r = ScreenRectOf(W().Handle());
    EXPECT_NE(WindowFromPoint({r.left + 1, r.top + 1}), W().Handle());
    EXPECT_EQ(WindowFromPoint({r.left + 300, r.top + 160}), W().Handle()); // bare panel
}

namespace {

// Notes the system's move commands the window gets, and keeps them from running: the move itself is the
// system's (Wine's move loop also touches the X display's cursor clipping, which a test should not).
WNDPROC FormProc = nullptr;
int MoveCommands = 0;
LRESULT CALLBACK NoteMove(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_SYSCOMMAND && (wParam & 0xFFF0) == SC_MOVE) {
        ++MoveCommands;
        return 0;
    }
    return CallWindowProcA(FormProc, window, message, wParam, lParam);
}

} // namespace

TEST_F(KalkomatWindow, LeftPressOnBareBackgroundStartsTheSystemMove) {
    FormProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(W().Handle(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&NoteMove)));
    const auto pressCount = [&](HWND target, UINT down, UINT up, int x, int y) {
        MoveCommands = 0;
        PostMessageA(target, down, down == WM_LBUTTONDOWN ? MK_LBUTTON : MK_RBUTTON, MAKELPARAM(x, y));
        PostMessageA(target, up, 0, MAKELPARAM(x, y));
        Pump(30);
        return MoveCommands;
    };
    EXPECT_EQ(pressCount(W().Handle(), WM_LBUTTONDOWN, WM_LBUTTONUP, 300, 150), 1);
    EXPECT_EQ(pressCount(W().Handle(), WM_RBUTTONDOWN, WM_RBUTTONUP, 300, 150), 0);
    EXPECT_EQ(pressCount(W().Label18.Handle(), WM_LBUTTONDOWN, WM_LBUTTONUP, 3, 3), 0);
    EXPECT_EQ(pressCount(W().Label3.Handle(), WM_LBUTTONDOWN, WM_LBUTTONUP, 3, 3), 0);
    EXPECT_EQ(pressCount(W().btRechnen.Handle(), WM_LBUTTONDOWN, WM_LBUTTONUP, 20, 20), 0);
    EXPECT_EQ(pressCount(W().edWurfDW.Handle(), WM_LBUTTONDOWN, WM_LBUTTONUP, 5, 5), 0);
    SetWindowLongPtrA(W().Handle(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(FormProc));
}

TEST_F(KalkomatWindow, TabOrderWrapsAndSkipsTheUncheckedRadioButton) {
    const TControl* order[] = {&W().cbSprintDN,        &W().edSprintDW,  &W().edWeitsprungDW,
                               &W().edHochsprungDW,    &W().cbWurfDN,    &W().edWurfDW,
                               &W().cbLaufDN,          &W().edLaufDWmin, &W().edLaufDWs,
                               &W().cbGeburtsjahrgang, &W().rbM,         &W().cbSprintDN};
    ASSERT_EQ(GetFocus(), W().cbSprintDN.Handle());
    for (std::size_t i = 1; i < std::size(order); ++i) {
        PressKey(VK_TAB);
        EXPECT_EQ(GetFocus(), order[i]->Handle()) << "stop " << i;
    }
    PressKey(VK_TAB, true); // Shift+Tab goes back, wrapping too
    EXPECT_EQ(GetFocus(), W().rbM.Handle());
    // The arrow key checks the other radio button, which then is the group's stop.
    PressKey(VK_DOWN);
    EXPECT_TRUE(W().rbW.Checked());
    EXPECT_EQ(GetFocus(), W().rbW.Handle());
    EXPECT_EQ(W().lbStartgruppe.Text(), "W8");
    PressKey(VK_TAB, true);
    EXPECT_EQ(GetFocus(), W().cbGeburtsjahrgang.Handle());
    PressKey(VK_TAB);
    EXPECT_EQ(GetFocus(), W().rbW.Handle());
}

TEST_F(KalkomatWindow, ButtonsNeverTakeTheFocus) {
    W().edWurfDW.SetFocus();
    for (TSpeedButton* button : {&W().btInfo, &W().btRechnen}) {
        Click(button->Handle(), 5, 5);
        EXPECT_EQ(GetFocus(), W().edWurfDW.Handle());
        EXPECT_FALSE(W().btRechnen.TabStop());
    }
    // The hand cursor while the mouse is over a button.
    SendMessageA(W().btInfo.Handle(), WM_SETCURSOR, reinterpret_cast<WPARAM>(W().btInfo.Handle()),
                 MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    EXPECT_EQ(GetCursor(), LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_HAND)));
}

TEST_F(KalkomatWindow, CloseButtonAndMenuEntryEndTheMessageLoop) {
    for (auto close : {+[](TfrmKalkomat& w) { Click(w.btClose.Handle(), 5, 5); },
                       +[](TfrmKalkomat& w) { w.mnuEnd.Click(); }}) {
        TakeQuitMessage();
        W().Show();
        Pump();
        close(W());
        EXPECT_FALSE(IsWindowVisible(W().Handle()));
        EXPECT_TRUE(TakeQuitMessage());
    }
}
