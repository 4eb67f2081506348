#include "window/fKalkomat.h"
#include "frame/WBCommands.h"

#include "res/resource.h"
#include "scoring/bundesjugendspiele.h"
#include "scoring/textfields.h"
#include "shell/WBSound.h"
#include "ui/Dialogs.h"

#include <stdexcept>

static_assert(sizeof("ö") == 2, "texts must be Windows-1252: build with -fexec-charset=CP1252");

TfrmKalkomat* frmKalkomat = nullptr;
TGuardFactory MakeTzOnlyOne;

namespace {

constexpr TFontSpec ArialRegular12{12};
constexpr TFontSpec Underlined12{12, false, false, true};
constexpr TFontSpec Regular11{11};
constexpr TFontSpec Bold13{13, true};
constexpr TFontSpec Bold16{16, true};
constexpr TFontSpec BoldItalic16{16, true, true};
constexpr TFontSpec Heading16{16, true, false, true};
constexpr TFontSpec Bold19{19, true};
constexpr TFontSpec Bold27{27, true};
constexpr TFontSpec Certificate56{56, true};

constexpr int ListItemHeight = 15;
constexpr int ListRows = 8;
constexpr int BirthYearRows = 20;

// Discards a character typed into a field while its discipline has no option chosen.
void GuardTyping(const TComboList& choice, char& key) {
    if (choice.Text().empty()) {
        key = 0;
        Beep();
    }
}

// Replaces the entries of a list with the fields of a comma-separated text; nothing is chosen after.
void FillChoices(TComboList& list, const std::string& options) {
    list.Clear();
    const int count = FieldCount(options, ',');
    for (int i = 1; i <= count; ++i)
        list.Add(FieldAt(options, ',', i));
}

void PlaySignal() { PlayWaveResource("signal", false); }

} // namespace

void (*TfrmKalkomat::Signal)() = &PlaySignal;

TfrmKalkomat::TfrmKalkomat() {
    if (!Create("TfrmKalkomat", "Punkterechner (Bundesjugendspiele LA)", 642, 482, ArialRegular12))
        throw std::runtime_error("Das Programmfenster konnte nicht angelegt werden.");
    AdvShaper1.Attach(*this, ResBackground);
    CreateControls();
    WireEvents();
    if (MakeTzOnlyOne)
        TzOnlyOne1 = MakeTzOnlyOne(*this);
    FormCreate(*this);
}

void TfrmKalkomat::CreateControls() {
    CreateLabels();
    CreateInputs();
    CreatePopupMenu();
    SetTabOrder({&cbSprintDN, &edSprintDW, &edWeitsprungDW, &edHochsprungDW, &cbWurfDN, &edWurfDW, &cbLaufDN,
                 &edLaufDWmin, &edLaufDWs, &cbGeburtsjahrgang, &rbM, &rbW});
    CreateHints();
}

void TfrmKalkomat::CreateLabels() {
    const struct {
        TLabel& Label;
        TBounds Design;
        const char* Caption;
        TFontSpec Font;
        TColor Color;
        TAlignment Alignment;
    } labels[] = {
        {Label8, {44, 322, 74, 19}, "Ausdauer", Bold16, clBlack, TAlignment::Left},
        {Label7, {44, 292, 84, 19}, "Wurf / Stoß", Bold16, clBlack, TAlignment::Left},
        {Label6, {44, 236, 57, 19}, "Sprung", Bold16, clBlack, TAlignment::Left},
        {Label3, {44, 204, 46, 19}, "Sprint", Bold16, clBlack, TAlignment::Left},
        {Label9, {164, 236, 72, 16}, "Weitsprung", Bold13, clBlack, TAlignment::Left},
        {Label12, {164, 260, 75, 16}, "Hochsprung", Bold13, clBlack, TAlignment::Left},
        {Label11, {160, 178, 47, 15}, "Disziplin", Underlined12, clWindowText, TAlignment::Left},
        {Label4, {304, 178, 53, 15}, "Messwert", Underlined12, clWindowText, TAlignment::Left},
        {Label2, {512, 178, 38, 15}, "Punkte", Underlined12, clWindowText, TAlignment::Right},
        {Label16, {408, 320, 42, 18}, "min:s", BoldItalic16, clGray, TAlignment::Left},
        {Label15, {408, 288, 14, 18}, "m", BoldItalic16, clGray, TAlignment::Left},
        {Label14, {408, 256, 14, 18}, "m", BoldItalic16, clGray, TAlignment::Left},
        {Label13, {408, 232, 14, 18}, "m", BoldItalic16, clGray, TAlignment::Left},
        {Label5, {408, 200, 9, 18}, "s", BoldItalic16, clGray, TAlignment::Left},
        {Label17, {340, 314, 10, 32}, ":", Bold27, clWindowText, TAlignment::Left},
        {lbPTSprint, {542, 200, 7, 16}, "0", Bold13, clWindowText, TAlignment::Right},
        {lbPTWeitsprung, {542, 232, 7, 16}, "0", Bold13, clWindowText, TAlignment::Right},
        {lbPTHochsprung, {542, 264, 7, 16}, "0", Bold13, clWindowText, TAlignment::Right},
        {lbPTWurf, {542, 288, 7, 16}, "0", Bold13, clWindowText, TAlignment::Right},
        {lbPTLauf, {542, 320, 7, 16}, "0", Bold13, clWindowText, TAlignment::Right},
        {lbPTSumme, {538, 376, 11, 22}, "0", Bold19, clWindowText, TAlignment::Right},
        {lbUrkunde, {498, 64, 77, 65}, "SU", Certificate56, clWindowText, TAlignment::Left},
        {Label1, {214, 104, 65, 15}, "Geburtsjahr", ArialRegular12, clWindowText, TAlignment::Left},
        {lbUrkundenPunkte, {46, 373, 47, 15}, "Urkunde", ArialRegular12, clWindowText, TAlignment::Left},
        {Label10, {214, 130, 70, 15}, "Altersgruppe", ArialRegular12, clWindowText, TAlignment::Left},
        {lbStartgruppe, {304, 130, 23, 19}, "AG", Bold16, clWindowText, TAlignment::Left},
        {Label18, {48, 72, 228, 19}, "Kalkomat", Heading16, clWindowText, TAlignment::Left},
        {Label19,
         {46, 397, 209, 14},
         "(gewertet werden die 3 besten Disziplinen)",
         Regular11,
         clWindowText,
         TAlignment::Left},
        {Label20, {518, 136, 40, 14}, "Urkunde", Regular11, clGray, TAlignment::Left},
        {Label21, {88, 104, 41, 15}, "Jungen", ArialRegular12, clWindowText, TAlignment::Left},
        {Label22, {88, 128, 50, 15}, "Mädchen", ArialRegular12, clWindowText, TAlignment::Left},
    };
    for (const auto& row : labels)
        row.Label.Create(*this, row.Design, row.Caption, row.Font, row.Color, row.Alignment);
}

void TfrmKalkomat::CreateInputs() {
    btInfo.CreateGlyph(*this, {408, 70, 25, 25}, ResGlyphInfo);
    btClose.CreateGlyph(*this, {432, 70, 25, 25}, ResGlyphClose);
    btRechnen.CreateCaption(*this, {368, 416, 185, 41}, "Berechnen", Bold19, clRed);

    const struct {
        TComboList& List;
        TBounds Bounds;
        int Rows;
    } lists[] = {
        {cbSprintDN, {160, 200, 97, 23}, ListRows},
        {cbWurfDN, {160, 288, 97, 23}, ListRows},
        {cbLaufDN, {160, 320, 97, 23}, ListRows},
        {cbGeburtsjahrgang, {304, 100, 73, 23}, BirthYearRows},
    };
    for (const auto& row : lists)
        row.List.Create(*this, row.Bounds, ListItemHeight, row.Rows);
    for (const char* distance : {"50", "75", "100"}) // replaced as soon as the age group is known
        cbSprintDN.Add(distance);

    const struct {
        TEditField& Field;
        TBounds Bounds;
    } fields[] = {
        {edSprintDW, {304, 200, 89, 23}},     {edWeitsprungDW, {304, 232, 89, 23}},
        {edHochsprungDW, {304, 256, 89, 23}}, {edWurfDW, {304, 288, 89, 23}},
        {edLaufDWmin, {304, 320, 33, 23}},    {edLaufDWs, {352, 320, 41, 23}},
    };
    for (const auto& row : fields)
        row.Field.Create(*this, row.Bounds);

    rbM.Create(*this, {64, 104, 17, 17}, "", true, clSilver);
    rbW.Create(*this, {64, 128, 17, 17}, "", false, clSilver);
}

void TfrmKalkomat::CreatePopupMenu() {
    const struct {
        TMenuItem& Item;
        const char* Caption;
    } items[] = {
        {mnuOptions, "Programmsymbol auf Desktop anlegen"},
        {mnuPInfo, "Programminfo"},
        {N1, "-"},
        {mnuEnd, "Beenden"},
    };
    for (const auto& row : items) {
        row.Item.Caption = std::string(row.Caption);
        pmnuOptions.Add(row.Item);
    }
    Label18.PopupMenu = &pmnuOptions; // the heading alone carries the menu
}

void TfrmKalkomat::CreateHints() {
    const struct {
        TControl& Control;
        const char* Hint;
    } hints[] = {
        {lbUrkunde, "Urkunde\r\n\r\n--- = keine Urkunde\r\nTU = Teilnehmerurkunde\r\nSU = Siegerurkunde\r\n"
                    "EU = Ehrenurkunde"},
        {cbSprintDN, "Sprint\r\n\r\n50= 50-Meter-Lauf\r\n75= 75-Meter-Lauf\r\n100=100-Meter-Lauf"},
        {cbWurfDN,
         "Wurf / Stoß\r\n\r\n80=Schlagball 80 \r\n200=Ball 200 g\r\n1000=Scheuderball 1000g (1 kg)\r\n"
         "3=Kugel 3 kg\r\n4=Kugel 4 kg\r\n5=Kugel 5 kg\r\n6=Kugel 6,25 kg"},
        {cbLaufDN, "Ausdauerlauf\r\n\r\n800=800m\r\n1000=1000m\r\n2000=2000m\r\n3000=3000m"},
        {btInfo, "Programminfo anzeigen"},
        {btClose, "Programm beenden"},
        {btRechnen, "Punkte und Urkunden berechnen"},
    };
    for (const auto& row : hints)
        SetHint(row.Control, row.Hint);
}

void TfrmKalkomat::WireEvents() {
    KeyPreview = true;
    OnKeyDown = [this](TComponent& sender, WORD& key) { FormKeyDown(sender, key); };
    rbM.OnClick = rbW.OnClick = cbGeburtsjahrgang.OnChange = [this](TComponent& sender) { rbMClick(sender); };
    cbSprintDN.OnChange = cbWurfDN.OnChange =
        cbLaufDN.OnChange = [this](TComponent& sender) { cbSprintDNClick(sender); };
    edSprintDW.OnKeyPress = [this](TComponent& sender, char& key) { edSprintDWKeyPress(sender, key); };
    edWurfDW.OnKeyPress = [this](TComponent& sender, char& key) { edWurfDWKeyPress(sender, key); };
    edLaufDWmin.OnKeyPress =
        edLaufDWs.OnKeyPress = [this](TComponent& sender, char& key) { edLaufDWminKeyPress(sender, key); };
    btRechnen.OnClick = [this](TComponent& sender) { btRechnenClick(sender); };
    btInfo.OnClick = mnuPInfo.OnClick = [this](TComponent& sender) { btInfoClick(sender); };
    btClose.OnClick = mnuEnd.OnClick = [this](TComponent& sender) { btCloseClick(sender); };
    mnuOptions.OnClick = [this](TComponent& sender) { mnuOptionsClick(sender); };
}

// --- Age group and discipline choices ----------------------------------------------------------------

void TfrmKalkomat::FormCreate(TComponent&) { FillBirthYears(); }

void TfrmKalkomat::FillBirthYears() {
    lbUrkunde.SetText("----");
    const int year = ClockYear();
    for (int age = 8; age <= 19; ++age)
        cbGeburtsjahrgang.Add(std::to_string(year - age));
    cbGeburtsjahrgang.SetItemIndex(0);
    UpdateAgeGroup();
}

void TfrmKalkomat::UpdateAgeGroup() {
    FSex = std::string(rbM.Checked() ? "M" : "W");
    const int year = ClockYear();
    const int birthYear = ReadInteger(cbGeburtsjahrgang.Text());
    const long long age = static_cast<long long>(year) - birthYear;
    FAge = age < 8 ? 0 : static_cast<int>(age);
    FAgeGroup = DeriveAgeGroupKey(FSex, birthYear, year);
    lbStartgruppe.SetText(FAgeGroup);

    const TCertificateThresholds minimum = CertificateThresholds(FAgeGroup);
    lbUrkundenPunkte.SetText(minimum.Su == 0 ? std::string("unter 8 Jahre -> TU")
                                             : "Mindestpunktzahl  SU: " + std::to_string(minimum.Su) +
                                                   "   EU: " + std::to_string(minimum.Eu));
    FillChoices(cbSprintDN, DisciplineOptions("Sprint", FAgeGroup));
    FillChoices(cbWurfDN, DisciplineOptions("Wurf", FAgeGroup));
    FillChoices(cbLaufDN, DisciplineOptions("Lauf", FAgeGroup));
    for (TEditField* field :
         {&edSprintDW, &edWeitsprungDW, &edHochsprungDW, &edWurfDW, &edLaufDWmin, &edLaufDWs})
        field->Clear();
    Signal();
}

void TfrmKalkomat::rbMClick(TComponent&) { UpdateAgeGroup(); }

// --- Measurement entry and result display ------------------------------------------------------------

void TfrmKalkomat::cbSprintDNClick(TComponent& Sender) {
    // On to the discipline's first field, at every change, by mouse or by arrow keys.
    if (auto* list = dynamic_cast<TControl*>(&Sender))
        SelectNext(list->Handle(), true);
}

void TfrmKalkomat::edSprintDWKeyPress(TComponent&, char& Key) { GuardTyping(cbSprintDN, Key); }

void TfrmKalkomat::edWurfDWKeyPress(TComponent&, char& Key) { GuardTyping(cbWurfDN, Key); }

void TfrmKalkomat::edLaufDWminKeyPress(TComponent&, char& Key) { GuardTyping(cbLaufDN, Key); }

void TfrmKalkomat::FormKeyDown(TComponent&, WORD& Key) {
    if (Key != VK_RETURN)
        return;
    // The key is not consumed: the focused control still receives it.
    const HWND focused = KeyControl() ? KeyControl()->Handle() : nullptr;
    Calculate();
    SelectNext(focused, true);
}

void TfrmKalkomat::btRechnenClick(TComponent&) { Calculate(); }

void TfrmKalkomat::Calculate() {
    const char separator = UserDecimalSeparator();
    TPerformanceSheet sheet;
    sheet.SprintDistance = ReadInteger(cbSprintDN.Text());
    sheet.ThrowImplement = ReadInteger(cbWurfDN.Text());
    sheet.RunDistance = ReadInteger(cbLaufDN.Text());
    sheet.SprintTime = ReadDecimal(edSprintDW.Text(), separator);
    sheet.LongJump = ReadDecimal(edWeitsprungDW.Text(), separator);
    sheet.HighJump = ReadDecimal(edHochsprungDW.Text(), separator);
    sheet.ThrowDistance = ReadDecimal(edWurfDW.Text(), separator);
    sheet.RunMinutes = ReadInteger(edLaufDWmin.Text());
    sheet.RunSeconds = ReadDecimal(edLaufDWs.Text(), separator);

    // The signal sounds whatever happens here; what was already shown stays.
    bool failed = false;
    try {
        sheet.Sex = FSex;
        sheet.AgeGroup = FAgeGroup;
        const TPerformanceResult result = EvaluatePerformance(sheet);
        lbUrkunde.SetText(result.Certificate);

        // A field whose value does not count is emptied; the others keep their text exactly as typed.
        const struct {
            TEditField& Field;
            bool Counts;
        } fields[] = {
            {edSprintDW, sheet.SprintTime > 0},   {edHochsprungDW, sheet.HighJump > 0},
            {edWeitsprungDW, sheet.LongJump > 0}, {edWurfDW, sheet.ThrowDistance > 0},
            {edLaufDWmin, sheet.RunMinutes >= 1}, {edLaufDWs, sheet.RunSeconds > 0},
        };
        for (const auto& row : fields)
            if (!row.Counts && !row.Field.Text().empty())
                row.Field.Clear();

        const struct {
            TLabel& Label;
            int Points;
        } points[] = {
            {lbPTSprint, result.PointsSprint},       {lbPTWeitsprung, result.PointsLongJump},
            {lbPTHochsprung, result.PointsHighJump}, {lbPTLauf, result.PointsRun},
            {lbPTWurf, result.PointsThrow},
        };
        for (const auto& row : points)
            row.Label.SetText(std::to_string(row.Points));
        lbPTSumme.SetText("Punkte:  " + std::to_string(result.Total));

        for (const std::string& note : result.Notes)
            ShowMessage(note);
    } catch (...) {
        failed = true;
    }
    Signal();
    if (failed)
        ShowMessage("Die Berechnung konnte nicht abgeschlossen werden.");
}

// --- Options menu and buttons ------------------------------------------------------------------------

void TfrmKalkomat::mnuOptionsClick(TComponent&) { OfferDesktopSymbol(Handle()); }

void TfrmKalkomat::btInfoClick(TComponent&) {
    Signal(); // plays on while the dialog opens
    OpenProgramInfo();
}

void TfrmKalkomat::btCloseClick(TComponent&) { Close(); }
