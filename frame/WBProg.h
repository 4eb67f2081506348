// The program frame's core: the program context (identity from the version block, folders, portable
// mode, the start-up password) and the frame's start-up and shut-down.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>

// The frame's own number and date format, independent of the user's regional settings.
struct TWBFormatSettings {
    std::uint8_t CurrencyFormat = 0;
    std::uint8_t NegCurrFormat = 0;
    char ThousandSeparator = 0;
    char DecimalSeparator = 0;
    std::uint8_t CurrencyDecimals = 0;
    char DateSeparator = 0;
    char TimeSeparator = 0;
    char ListSeparator = 0;
    std::string CurrencyString;
    std::string ShortDateFormat;
    std::string LongDateFormat;
    std::string TimeAMString;
    std::string TimePMString;
    std::string ShortTimeFormat;
    std::string LongTimeFormat;
    std::array<std::string, 12> ShortMonthNames;
    std::array<std::string, 12> LongMonthNames;
    std::array<std::string, 7> ShortDayNames;
    std::array<std::string, 7> LongDayNames;
    int TwoDigitYearCenturyWindow = 0;
};

// The program context. All texts are Windows-1252.
class TWBProg {
public:
    // The context of the running executable.
    TWBProg();
    // The context of another executable (its version block, its folder and the files beside it).
    explicit TWBProg(std::string exeName);

    std::string DataDir; // always ends with a backslash once set
    std::string ProductName = "WBS-Programm";
    std::string InternalName;
    std::string ProductVersion;
    std::string LegalCopyright;
    std::string DataName = "WBSDaten";
    std::string NamePrefix = "WBS_";
    bool Portable = false;
    std::string RegKey;
    std::string RegKey2;
    std::string PWAdmin;
    std::string PWProg;
    std::string TempDir; // never ends with a backslash; empty when no temporary folder could be found

    // The executable's folder with a trailing backslash; empty when its path is unknown.
    std::string GetExeDir() const;
    // The data folder: "Daten" beside the executable when portable or when the user has no
    // application-data folder, else "<AppData>\Wembrik Software\<ProductName>"; with a trailing backslash.
    std::string GetDefaultDataDir() const;
    // Fills InternalName, ProductVersion, ProductName and LegalCopyright from the German Windows-1252 string
    // table ("040704E4") of the executable's version block; a value it lacks leaves its field alone.
    void ReadVersionInfo();
    // True when "setup.ini" beside the executable has PV=1 in section SETUP (hexadecimal "$1", "x1", "0x1"
    // as well); any other value, a missing key or file: false.
    bool ReadPortableFlag() const;
    // Start-up steps after the identity: Portable, RegKey and RegKey2, DataDir and TempDir. Only computes;
    // creates no folder.
    void ComputeSettings();

    // The access file: the executable's path with the extension ".wbl".
    std::string GetAccessFileName() const;
    // Reads PWAdmin and PWProg from section "Lizenz" of the access file (empty when missing).
    void ReadAccessFile();
    // Shows the password dialog; the text entered, or empty text when it was not confirmed with OK.
    std::string AskPassword(const std::string& title, const std::string& text) const;
    // False when the program must not be used: a program password is set and the one attempt failed
    // (the user has then seen the refusal).
    bool CheckProgramPassword();
    // Shows the info dialog modally; an empty title shows ProductName.
    void ShowProgramInfo(const std::string& title) const;

    const std::string& ExeName() const { return ExePath; }

private:
    std::string ExePath;
};

// The user record of the frame; nothing in this program fills or reads it.
struct TWBUser {
    std::string Name;
    std::string Vorname;
    std::string Firma;
    std::string Strasse;
    std::string PLZ;
    std::string Ort;
    std::string Telefon;
    std::string EMail;
};

// The one program context while the frame runs (between WBProgStartup and WBProgShutdown), else null.
extern std::unique_ptr<TWBProg> ProgContext;
extern std::unique_ptr<TWBUser> WBUser;
extern TWBFormatSettings WBFormatSettings;

// The frame's start-up: creates the context and the user record, fills the format record, reads the
// identity, the portable flag, computes the folders and runs the password check. A refused password
// requests the end of the application (a posted quit request, see TApplication::Terminate); the start-up
// itself goes on. Call once, first thing, before the scoring tables are built and the window is made.
void WBProgStartup();

// The frame's shut-down: removes the temporary folder TempDir (when there is one) with everything in it,
// frees the context and the user record and clears the format record. Call once, last, after the main
// window is gone and the scoring tables are freed; also after a refused password or a handed-over start.
void WBProgShutdown();
