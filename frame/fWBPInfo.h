// The program info dialog: icon, name, version, copyright and a link to the maker's web page.
#pragma once

#include "ui/Controls.h"
#include "ui/Form.h"

#include <functional>
#include <string>

// The maker's web address (under the reserved .example domain): the host name the dialog shows, short
// enough for the link's 87 pixels (a host name has no blank to wrap at), and the full address the shell
// opens.
inline constexpr char WembrikHost[] = "wbs.example";
inline constexpr char WembrikAddress[] = "https://wbs.example/";

class TfrmWBPInfoFRM : public TDialogForm {
public:
    // Builds the (hidden) dialog with its controls.
    TfrmWBPInfoFRM();
    ~TfrmWBPInfoFRM() override;

    // Fills the dialog from the program context (an empty title shows its ProductName) and shows it
    // modally until OK or the close box closes it.
    void ShowInfo(const std::string& title);

    TImage ProgramIcon;
    TLabel Label2;
    TLabel lbtitle;
    TLabel lbVersion;
    TLabel lbInternet;
    TLabel lbCopyright;
    TButton btOK;

    void lbInternetClick();
    void lbInternetMouseMove();
    void Panel1MouseMove();
    void FormClose();

    // Opens a web address for the dialog; the shell's "open" by default (tests put a recorder here).
    static std::function<void(HWND owner, const std::string& address)> OpenWebAddress;
};

// The dialog while ShowProgramInfo runs, else nullptr.
extern TfrmWBPInfoFRM* frmWBPInfoFRM;
