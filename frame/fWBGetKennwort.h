// The password dialog of the start-up lock: a banner with two keys and an explanation, the title, a
// hidden entry and OK. No cancel button: Esc does nothing, the close box closes without OK.
#pragma once

#include "ui/Controls.h"
#include "ui/Form.h"

#include <string>

class TfrmWBGetKennwort : public TDialogForm {
public:
    // Builds the (hidden) dialog with its controls.
    TfrmWBGetKennwort();

    // Shows `title` and, when it is not empty, `text` as the banner's explanation, runs the dialog
    // modally and returns the entry when it was confirmed with OK (button or Enter), else empty text.
    std::string Execute(const std::string& title, const std::string& text);

    TImage Image1;
    TLabel lbText;
    TLabel lbTitel;
    TEditField ePW;
    TButton btnOK;

private:
    TBitmapOwner Keys; // the banner's picture, borrowed by Image1
};

// The dialog while AskPassword runs, else nullptr.
extern TfrmWBGetKennwort* frmWBGetKennwort;
