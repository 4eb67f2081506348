// The toolkit with small forms of its own: labels, radio buttons, speed buttons, lists, key preview,
// dialogs, message boxes, the popup menu, the region of the shaped window and the termination request.
#include "tests/ui/UiTestKit.h"
#include "ui/Controls.h"
#include "ui/Dialogs.h"
#include "ui/Form.h"
#include "ui/Menus.h"
#include "ui/Shaper.h"
#include "ui/SpeedButton.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <memory>
#include <stdexcept>
#include <vector>

using namespace uitest;

namespace {

class TTestForm : public TMainForm {
public:
    TTestForm() { Create("TTestForm", "Testfenster", 400, 300, TFontSpec{12}); }
};

class TTestDialog : public TDialogForm {
public:
    explicit TTestDialog(bool withCancel) {
        Create("TTestDialog", "Bitte Kennwort eingeben", 327, 219, TFontSpec{12});
        Entry.Create(*this, {41, 135, 256, 28}, nullptr, true, TEditField::TFrame::Flat);
        Ok.Create(*this, {121, 181, 75, 25}, "&OK", true);
        Ok.ModalResult = mrOk;
        DefaultButton = &Ok;
        if (withCancel) {
            Cancel.Create(*this, {200, 181, 75, 25}, "Abbrechen");
            Cancel.ModalResult = mrCancel;
            CancelButton = &Cancel;
        }
        SetTabOrder({&Entry, &Ok, &Cancel});
        FirstFocus = &Entry;
    }
    TEditField Entry;
    TButton Ok;
    TButton Cancel;
};

class Toolkit : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        LeaveWindowsUnmanaged();
        Application.Initialize();
        Application.Title = "Testprogramm";
    }
    void SetUp() override {
        Form = std::make_unique<TTestForm>();
        Form->Show();
        ASSERT_TRUE(PumpUntil([&] { return GetActiveWindow() == Form->Handle(); }));
    }
    void TearDown() override {
        Pump(30); // lets the display catch up before the window goes
        Form.reset();
        Pump();
        TakeQuitMessage();
    }
    std::unique_ptr<TTestForm> Form;
};

// Runs steps one after another from a thread timer, which modal loops dispatch as well.
class TScript {
public:
    explicit TScript(std::vector<std::function<void()>> steps) : Steps(std::move(steps)) {
        Active = this;
        Timer = SetTimer(nullptr, 0, 30, &TScript::Tick);
    }
    ~TScript() {
        KillTimer(nullptr, Timer);
        Active = nullptr;
    }

private:
    static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
        if (Active && Active->Next < Active->Steps.size())
            Active->Steps[Active->Next++]();
    }
    static inline TScript* Active = nullptr;
    std::vector<std::function<void()>> Steps;
    std::size_t Next = 0;
    UINT_PTR Timer = 0;
};

void CALLBACK QuitAnyway(HWND, UINT, UINT_PTR, DWORD) { PostQuitMessage(7); }

} // namespace

TEST_F(Toolkit, LabelsSizeToTheirTextAndKeepTheirAnchoredEdge) {
    TLabel left, right, wrapped;
    left.Create(*Form, {10, 10, 50, 15}, "0", TFontSpec{13, true}, clWindowText);
    right.Create(*Form, {100, 40, 7, 16}, "0", TFontSpec{13, true}, clWindowText, TAlignment::Right);
    wrapped.Create(*Form, {10, 80, 87, 16}, "www", TFontSpec{13, true}, clNavy, TAlignment::Center, true);
    const int rightEdge = right.Bounds().Right();
    EXPECT_EQ(rightEdge, 107);
    for (const char* text : {"1234", "7", "Punkte:  1234", ""}) {
        SCOPED_TRACE(text);
        left.SetText(text);
        right.SetText(text);
        EXPECT_EQ(left.Bounds().Left, 10);
        EXPECT_EQ(right.Bounds().Right(), rightEdge);
        EXPECT_EQ(left.Bounds().Width, right.Bounds().Width);
        EXPECT_EQ(left.Text(), text);
    }
    const int oneLine = wrapped.Bounds().Height;
    wrapped.SetText("ein Name, der nicht in eine Zeile passt");
    EXPECT_EQ(wrapped.Bounds().Width, 87);
    EXPECT_GT(wrapped.Bounds().Height, oneLine);
}

TEST_F(Toolkit, RadioButtonsFormOneGroupAndReportOnlyBecomingChecked) {
    TRadioButton first, second;
    first.Create(*Form, {10, 10, 17, 17}, "", true, clSilver);
    second.Create(*Form, {10, 30, 17, 17}, "", false, clSilver);
    int clicks = 0;
    first.OnClick = second.OnClick = [&](TComponent&) { ++clicks; };
    EXPECT_TRUE(first.TabStop());
    EXPECT_FALSE(second.TabStop());
    Click(second.Handle(), 5, 5);
    EXPECT_TRUE(second.Checked());
    EXPECT_FALSE(first.Checked());
    EXPECT_TRUE(second.TabStop());
    EXPECT_FALSE(first.TabStop());
    EXPECT_EQ(clicks, 1);
    Click(second.Handle(), 5, 5); // already checked
    EXPECT_EQ(clicks, 1);
}

TEST_F(Toolkit, SpeedButtonClicksWithoutTakingTheFocus) {
    TEditField field;
    field.Create(*Form, {10, 10, 80, 23});
    TSpeedButton button;
    button.CreateCaption(*Form, {100, 100, 185, 41}, "Berechnen", TFontSpec{19, true}, clRed);
    int clicks = 0;
    button.OnClick = [&](TComponent&) { ++clicks; };
    field.SetFocus();
    EXPECT_FALSE(button.TabStop());
    PostMessageA(button.Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(10, 10));
    Pump();
    EXPECT_TRUE(button.Hot()); // raised frame while the mouse is over it
    Click(button.Handle(), 10, 10);
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(GetFocus(), field.Handle());
    // Pressed, dragged off and released outside: no click.
    PostMessageA(button.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 10));
    PostMessageA(button.Handle(), WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(300, 10));
    PostMessageA(button.Handle(), WM_LBUTTONUP, 0, MAKELPARAM(300, 10));
    Pump();
    EXPECT_EQ(clicks, 1);
    EXPECT_FALSE(button.Hot());
}

TEST_F(Toolkit, NoExceptionLeavesAWindowProcedure) {
    TSpeedButton button;
    button.CreateCaption(*Form, {10, 10, 50, 20}, "x", TFontSpec{12}, clBlack);
    button.OnClick = [](TComponent&) { throw std::runtime_error("handler failed"); };
    TComboList list;
    list.Create(*Form, {10, 40, 97, 23}, 15, 8);
    list.Add("1");
    list.OnChange = [](TComponent&) { throw std::runtime_error("handler failed"); };
    Form->OnKeyDown = [](TComponent&, WORD&) { throw std::runtime_error("handler failed"); };
    Form->KeyPreview = true;
    Click(button.Handle(), 5, 5);
    list.SetFocus();
    PressKey(VK_DOWN);
    EXPECT_EQ(list.ItemIndex(), -1) << "the throwing preview kept the key from the list";
    EXPECT_TRUE(IsWindow(Form->Handle())); // still running
}

TEST_F(Toolkit, ComboListIsChooseOnlyAndReportsEveryChange) {
    TComboList list;
    ASSERT_TRUE(list.Create(*Form, {160, 200, 97, 23}, 15, 20));
    EXPECT_EQ(SendMessageA(list.Handle(), CB_GETITEMHEIGHT, 0, 0), 15);
    EXPECT_EQ(list.Bounds().Height, 23);
    for (const char* item : {"800", "1000", "2000"})
        list.Add(item);
    EXPECT_EQ(list.Text(), "");
    EXPECT_EQ(list.ItemIndex(), -1);
    std::vector<std::string> changes;
    list.OnChange = [&](TComponent&) { changes.push_back(list.Text()); };
    list.SetFocus();
    PressKey(VK_DOWN);
    PressKey(VK_DOWN);
    uitest::TypeText(list.Handle(), "9"); // nothing can be typed
    EXPECT_EQ(changes, (std::vector<std::string>{"800", "1000"}));
    list.Clear();
    EXPECT_EQ(list.Text(), "");
}

TEST_F(Toolkit, KeyPreviewSeesKeysFirstAndKeyPressMayDiscard) {
    TEditField field;
    field.Create(*Form, {10, 10, 80, 23});
    std::vector<WORD> seen;
    bool consumeDelete = false;
    Form->KeyPreview = true;
    Form->OnKeyDown = [&](TComponent&, WORD& key) {
        seen.push_back(key);
        if (key == VK_DELETE && consumeDelete)
            key = 0; // the field never sees it
    };
    field.OnKeyPress = [](TComponent&, char& key) {
        if (key == 'x')
            key = 0;
    };
    field.SetText("abc");
    field.SetFocus();
    SendMessageA(field.Handle(), EM_SETSEL, 0, 0);
    PressKey(VK_DELETE); // seen first, then it reaches the field
    EXPECT_EQ(field.Text(), "bc");
    consumeDelete = true;
    PressKey(VK_DELETE);
    EXPECT_EQ(field.Text(), "bc");
    EXPECT_EQ(seen, (std::vector<WORD>{VK_DELETE, VK_DELETE}));
    SendMessageA(field.Handle(), EM_SETSEL, 2, 2);
    TypeText(field.Handle(), "axd");
    EXPECT_EQ(field.Text(), "bcad");
}

TEST_F(Toolkit, PasswordFieldWithFlatFrame) {
    TEditField field;
    field.Create(*Form, {41, 135, 256, 28}, nullptr, true, TEditField::TFrame::Flat);
    EXPECT_TRUE(GetWindowLongPtrA(field.Handle(), GWL_STYLE) & ES_PASSWORD);
    EXPECT_FALSE(GetWindowLongPtrA(field.Handle(), GWL_EXSTYLE) & WS_EX_CLIENTEDGE);
    // The flat frame is a line the field draws around its edge itself.
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    HBITMAP picture = CreateCompatibleBitmap(screen, 256, 28);
    ReleaseDC(nullptr, screen);
    HGDIOBJ old = SelectObject(dc, picture);
    SendMessageA(field.Handle(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT | PRF_ERASEBKGND);
    EXPECT_NE(GetPixel(dc, 100, 0), RGB(255, 255, 255));
    EXPECT_NE(GetPixel(dc, 0, 14), RGB(255, 255, 255));
    EXPECT_EQ(GetPixel(dc, 100, 14), RGB(255, 255, 255));
    SelectObject(dc, old);
    DeleteObject(picture);
    DeleteDC(dc);
    EXPECT_EQ(SendMessageA(field.Handle(), EM_GETPASSWORDCHAR, 0, 0), '*');
}

TEST_F(Toolkit, DialogKeysAndCloseBox) {
    const struct {
        const char* Name;
        bool WithCancel;
        std::vector<WORD> Keys; // pressed one after another in the entry field; 0 stands for the close box
        int Want;
    } cases[] = {
        {"Enter presses the default button", false, {VK_RETURN}, mrOk},
        {"Esc without a cancel button does nothing", false, {VK_ESCAPE, 0}, mrCancel},
        {"Esc presses the cancel button", true, {VK_ESCAPE}, mrCancel},
        {"close box", false, {0}, mrCancel},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        std::string entry;
        bool stillOpenAfterFirstKey = false;
        HWND focusAtOpening = nullptr;
        bool mainDisabled = false;
        int result = -1;
        {
            TTestDialog dialog(c.WithCancel);
            std::vector<std::function<void()>> steps;
            steps.push_back([&] {
                focusAtOpening = GetFocus();
                mainDisabled = !IsWindowEnabled(Form->Handle());
                TypeText(dialog.Entry.Handle(), "geheim");
            });
            for (std::size_t i = 0; i < c.Keys.size(); ++i)
                steps.push_back([&, i] {
                    if (i == 1)
                        stillOpenAfterFirstKey =
                            dialog.ModalResult == mrNone && IsWindowVisible(dialog.Handle());
                    if (c.Keys[i] == 0)
                        SendMessageA(dialog.Handle(), WM_SYSCOMMAND, SC_CLOSE, 0);
                    else
                        PressKey(c.Keys[i]);
                });
            steps.push_back([&] { // never hang, but never overwrite the result either
                if (dialog.ModalResult == mrNone)
                    dialog.ModalResult = 99;
            });
            TScript script(steps);
            result = dialog.ShowModal();
            entry = dialog.Entry.Text();
            EXPECT_EQ(focusAtOpening, dialog.Entry.Handle());
        }
        EXPECT_EQ(result, c.Want);
        EXPECT_EQ(entry, "geheim");
        EXPECT_TRUE(mainDisabled);
        EXPECT_TRUE(IsWindowEnabled(Form->Handle()));
        if (c.Keys.size() > 1) {
            EXPECT_TRUE(stillOpenAfterFirstKey);
        }
    }
}

TEST_F(Toolkit, DialogOpensOverTheMainWindowOrOnTheScreen) {
    SetWindowPos(Form->Handle(), nullptr, 20, 30, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    RECT dialogRect{};
    {
        TTestDialog dialog(false);
        TScript script({[&] {
            dialogRect = ScreenRectOf(dialog.Handle());
            dialog.ModalResult = mrOk;
        }});
        dialog.ShowModal();
    }
    const RECT main = ScreenRectOf(Form->Handle());
    EXPECT_NEAR((dialogRect.left + dialogRect.right) / 2.0, (main.left + main.right) / 2.0, 1);
    EXPECT_NEAR((dialogRect.top + dialogRect.bottom) / 2.0, (main.top + main.bottom) / 2.0, 1);
    RECT client{};
    {
        TTestDialog dialog(false);
        GetClientRect(dialog.Handle(), &client);
    }
    EXPECT_EQ(client.right, 327);
    EXPECT_EQ(client.bottom, 219);

    Form.reset(); // no main window: the screen's centre
    {
        TTestDialog dialog(false);
        TScript script({[&] {
            dialogRect = ScreenRectOf(dialog.Handle());
            dialog.ModalResult = mrOk;
        }});
        dialog.ShowModal();
    }
    EXPECT_NEAR((dialogRect.left + dialogRect.right) / 2.0, GetSystemMetrics(SM_CXSCREEN) / 2.0, 1);
    EXPECT_NEAR((dialogRect.top + dialogRect.bottom) / 2.0, GetSystemMetrics(SM_CYSCREEN) / 2.0, 1);
}

TEST_F(Toolkit, QuitRequestEndsADialogAndStaysForTheMainLoop) {
    int result = -1;
    {
        TTestDialog dialog(false);
        TScript script({[] { Application.Terminate(); },
                        [&] { // never hang, but never overwrite the result either
                            if (dialog.ModalResult == mrNone)
                                dialog.ModalResult = 99;
                        }});
        result = dialog.ShowModal();
    }
    EXPECT_EQ(result, mrCancel);
    EXPECT_TRUE(TakeQuitMessage());
}

TEST_F(Toolkit, PlainMessageBox) {
    SetWindowPos(Form->Handle(), nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOZORDER); // away from the centre
    TBoxCatcher boxes;
    ShowMessage("Möchtest du\rweiterrechnen?");
    ASSERT_EQ(boxes.Boxes.size(), 1u);
    const TBox& box = boxes.Boxes[0];
    EXPECT_EQ(box.Caption, "Testprogramm");
    EXPECT_EQ(box.Text, "Möchtest du\rweiterrechnen?");
    EXPECT_EQ(box.Buttons, (std::vector<std::string>{"OK"}));
    EXPECT_FALSE(box.HasIcon);
    EXPECT_EQ(box.Owner, Form->Handle()); // modal to the window
    EXPECT_NEAR((box.Rect.left + box.Rect.right) / 2.0, GetSystemMetrics(SM_CXSCREEN) / 2.0, 1);
    EXPECT_NEAR((box.Rect.top + box.Rect.bottom) / 2.0, GetSystemMetrics(SM_CYSCREEN) / 2.0, 1);
}

TEST_F(Toolkit, YesNoConfirmation) {
    for (const int answer : {IDYES, IDNO}) {
        TBoxCatcher boxes(answer);
        const bool yes = ConfirmYesNo(Form->Handle(), "Programmsymbol anlegen?", "Kalkomat");
        EXPECT_EQ(yes, answer == IDYES);
        ASSERT_EQ(boxes.Boxes.size(), 1u);
        EXPECT_EQ(boxes.Boxes[0].Caption, "Kalkomat");
        EXPECT_EQ(boxes.Boxes[0].Buttons.size(), 2u);
        EXPECT_TRUE(boxes.Boxes[0].HasIcon);
        EXPECT_EQ(boxes.Boxes[0].Owner, Form->Handle());
    }
}

TEST_F(Toolkit, PopupMenuRunsTheChosenItemAfterClosing) {
    TMenuItem first("Programminfo"), separator("-"), last("Beenden");
    int firstClicks = 0, lastClicks = 0;
    first.OnClick = [&](TComponent&) { ++firstClicks; };
    last.OnClick = [&](TComponent&) { ++lastClicks; };
    TPopupMenu menu;
    for (TMenuItem* item : {&first, &separator, &last})
        menu.Add(*item);
    TLabel heading;
    heading.Create(*Form, {48, 72, 228, 19}, "Kalkomat", TFontSpec{16, true, false, true}, clWindowText);
    heading.PopupMenu = &menu;
    // Down, Down skips the separator to the last item; Enter chooses it.
    TScript script({[] { PostMessageA(GetForegroundWindow(), WM_KEYDOWN, VK_DOWN, 0); },
                    [] { PostMessageA(GetForegroundWindow(), WM_KEYDOWN, VK_DOWN, 0); },
                    [] { PostMessageA(GetForegroundWindow(), WM_KEYDOWN, VK_RETURN, 0); }});
    PostMessageA(heading.Handle(), WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(5, 5));
    PostMessageA(heading.Handle(), WM_RBUTTONUP, 0, MAKELPARAM(5, 5));
    PumpUntil([&] { return lastClicks > 0; }, 3000);
    EXPECT_EQ(firstClicks, 0);
    EXPECT_EQ(lastClicks, 1);
}

TEST_F(Toolkit, TerminateEndsTheLoopAtItsFirstTurn) {
    Application.Terminate();
    // The window is still completed and shown; the loop then ends without waiting for anything.
    const UINT_PTR safety = SetTimer(nullptr, 0, 3000, &QuitAnyway);
    Application.Run();
    KillTimer(nullptr, safety);
    EXPECT_TRUE(Application.Terminated());
    EXPECT_TRUE(IsWindowVisible(Form->Handle()));
    EXPECT_FALSE(TakeQuitMessage());
}

TEST(Shaper, RegionRunsOfNonYellowPixels) {
    // 6 x 3 picture, rows top down: "YxxYYx", "YYYYYY", "xxxxxx".
    const char* rows[] = {"YxxYYx", "YYYYYY", "xxxxxx"};
    std::vector<std::uint32_t> pixels;
    for (const char* row : rows)
        for (const char* c = row; *c; ++c)
            pixels.push_back(*c == 'Y' ? 0xFFFF00u : 0xC4C2C4u); // 0x00RRGGBB in a 32-bit DIB
    BITMAPINFO format{};
    format.bmiHeader = {sizeof(BITMAPINFOHEADER), 6, -3, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    HBITMAP picture = CreateDIBSection(nullptr, &format, DIB_RGB_COLORS, &bits, nullptr, 0);
    ASSERT_TRUE(picture);
    std::memcpy(bits, pixels.data(), pixels.size() * 4);
    TRegionOwner region = TShaper::RegionFromPicture(picture, ShapeMaskColor);
    ASSERT_TRUE(region);
    std::string seen;
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 6; ++x)
            seen += PtInRegion(region.get(), x, y) ? 'x' : 'Y';
    EXPECT_EQ(seen, "YxxYYxYYYYYYxxxxxx");
    DeleteObject(picture);
}
