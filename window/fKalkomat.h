// The calculator window: sex and birth year, the measured results, and the points, total and certificate.
#pragma once

#include "ui/Controls.h"
#include "ui/Form.h"
#include "ui/Menus.h"
#include "ui/Shaper.h"
#include "ui/SpeedButton.h"

#include <functional>
#include <memory>
#include <string>

class TfrmKalkomat : public TMainForm {
public:
    // Builds the window (hidden) with all its controls, the single-instance guard last, then runs
    // FormCreate. Throws std::runtime_error when the system refuses the window itself.
    TfrmKalkomat();

    TShaper AdvShaper1;
    TLabel Label8;
    TLabel Label7;
    TLabel Label6;
    TLabel Label3;
    TLabel Label9;
    TLabel Label12;
    TLabel Label11;
    TLabel Label4;
    TLabel Label2;
    TLabel Label16;
    TLabel Label15;
    TLabel Label14;
    TLabel Label13;
    TLabel Label5;
    TLabel Label17;
    TLabel lbPTSprint;
    TLabel lbPTWeitsprung;
    TLabel lbPTHochsprung;
    TLabel lbPTWurf;
    TLabel lbPTLauf;
    TLabel lbPTSumme;
    TLabel lbUrkunde;
    TLabel Label1;
    TLabel lbUrkundenPunkte;
    TLabel Label10;
    TLabel lbStartgruppe;
    TLabel Label18;
    TSpeedButton btInfo;
    TSpeedButton btClose;
    TSpeedButton btRechnen;
    TComboList cbSprintDN;
    TComboList cbWurfDN;
    TComboList cbLaufDN;
    TEditField edSprintDW;
    TEditField edWeitsprungDW;
    TEditField edHochsprungDW;
    TEditField edWurfDW;
    TEditField edLaufDWmin;
    TEditField edLaufDWs;
    TComboList cbGeburtsjahrgang;
    TLabel Label19;
    TPopupMenu pmnuOptions;
    TMenuItem mnuOptions;
    TMenuItem mnuPInfo;
    TMenuItem N1;
    TMenuItem mnuEnd;
    TLabel Label20;
    TLabel Label21;
    TLabel Label22;
    TRadioButton rbM;
    TRadioButton rbW;
    std::unique_ptr<TComponent> TzOnlyOne1; // the single-instance guard; see MakeTzOnlyOne

    int FAge = 0;          // age in whole years last derived; 0 below 8
    std::string FSex;      // "M" or "W"
    std::string FAgeGroup; // FSex followed by FAge, "M12"

    void FormCreate(TComponent& Sender);
    void FillBirthYears();
    void UpdateAgeGroup();
    void rbMClick(TComponent& Sender);
    void cbSprintDNClick(TComponent& Sender);
    void edSprintDWKeyPress(TComponent& Sender, char& Key);
    void edWurfDWKeyPress(TComponent& Sender, char& Key);
    void edLaufDWminKeyPress(TComponent& Sender, char& Key);
    void FormKeyDown(TComponent& Sender, WORD& Key);
    void btRechnenClick(TComponent& Sender);
    void Calculate();
    void mnuOptionsClick(TComponent& Sender);
    void btInfoClick(TComponent& Sender);
    void btCloseClick(TComponent& Sender);

    // The year of the computer's date; tests set another clock before they create the window.
    static inline int (*ClockYear)() = &CurrentYear;
    // Plays the signal sound ("signal" from the resources, once, without waiting); tests listen here.
    static void (*Signal)();

private:
    void CreateControls();
    void CreateLabels();
    void CreateInputs();
    void CreatePopupMenu();
    void CreateHints();
    void WireEvents();
};

// Makes the single-instance guard `TzOnlyOne1` for its window, the window's last component. The program
// frame's unit uonlyone supplies it and the program block sets it before the window is created; left
// empty, the window runs without a guard (as in the tests).
using TGuardFactory = std::function<std::unique_ptr<TComponent>(TForm& owner)>;
extern TGuardFactory MakeTzOnlyOne;

extern TfrmKalkomat* frmKalkomat;
