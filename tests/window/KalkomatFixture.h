// A fresh calculator window per test, shown and active, with the clock at 2026 and the signal recorded.
#pragma once

#include "scoring/bundesjugendspiele.h"
#include "tests/ui/UiTestKit.h"
#include "window/fKalkomat.h"

#include <commctrl.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

class KalkomatWindow : public ::testing::Test {
public:
    static void SetUpTestSuite() {
        uitest::LeaveWindowsUnmanaged();
        Scoring = std::make_unique<TScoringUnit>();
        Application.Initialize();
        Application.Title = "Kalkomat";
        TfrmKalkomat::ClockYear = [] { return Year; };
        TfrmKalkomat::Signal = [] { Events.push_back("signal"); };
    }
    static void TearDownTestSuite() { Scoring.reset(); }

protected:
    void SetUp() override {
        Year = 2026;
        Events.clear();
        Window = std::make_unique<TfrmKalkomat>();
        frmKalkomat = Window.get();
        Window->Show();
        ASSERT_TRUE(uitest::PumpUntil([&] { return GetActiveWindow() == Window->Handle() && GetFocus(); }))
            << "the window did not become active";
    }
    void TearDown() override {
        uitest::Pump(30); // lets the display catch up before the window goes
        frmKalkomat = nullptr;
        Window.reset();
        uitest::Pump();
        uitest::TakeQuitMessage();
    }

    TfrmKalkomat& W() { return *Window; }
    void Reopen() {
        TearDown();
        SetUp();
    }

    // Chooses an entry of a list as the user does; the list reports the change to the window.
    void Choose(TComboList& list, const std::string& entry) {
        int index = -1;
        for (int i = 0; i < list.Count(); ++i)
            if (list.Item(i) == entry)
                index = i;
        ASSERT_GE(index, 0) << "no entry " << entry;
        list.SetFocus();
        list.SetItemIndex(index);
        SendMessageA(Window->Handle(), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(list.Handle()), CBN_SELCHANGE),
                     reinterpret_cast<LPARAM>(list.Handle()));
        uitest::Pump();
    }

    // Types a text into an entry field that has the focus first.
    void Type(TEditField& field, const std::string& text) {
        field.SetFocus();
        uitest::TypeText(field.Handle(), text);
    }

    // Presses Enter in a control.
    void EnterIn(TControl& control) {
        control.SetFocus();
        uitest::PressKey(VK_RETURN);
    }

    std::string Shown(const TControl& control) const { return control.Text(); }

    static inline int Year = 2026;
    static inline std::vector<std::string> Events;
    static inline std::unique_ptr<TScoringUnit> Scoring;
    std::unique_ptr<TfrmKalkomat> Window;
};
