#include "frame/fWBGetKennwort.h"

static_assert(sizeof("ü") == 2, "build with -fexec-charset=CP1252");

TfrmWBGetKennwort* frmWBGetKennwort = nullptr;

namespace {

const char* const DefaultExplanation = "Die gewünschte Funktion ist nur für Personen mit entsprechender "
                                       "Berechtigung verfügbar. Bitte geben Sie das gültige Kennwort ein.";
constexpr TColor BannerColor{false, RGB(0, 128, 192)};
constexpr COLORREF Transparent = RGB(255, 0, 255);

} // namespace

TfrmWBGetKennwort::TfrmWBGetKennwort() {
    const TFontSpec normal{12};
    const TFontSpec bold{12, true};
    const TFontSpec entry{19, true};
    if (!Create("TfrmWBGetKennwort", "Bitte Kennwort eingeben", 327, 219, normal))
        return;
    PaintArea({0, 0, 327, 81}, BannerColor); // Panel1
    Image1.Create(*this, {8, 17, 24, 24});
    Keys.reset(static_cast<HBITMAP>(
        LoadImageA(Application.Instance(), "KEYS", IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
    Image1.SetBitmap(Keys.get(), Transparent);
    lbText.Create(*this, {48, 12, 273, 65}, DefaultExplanation, normal, clWhite, TAlignment::Left, true);
    lbTitel.Create(*this, {8, 105, 0, 0}, "", bold, clBlack);
    ePW.Create(*this, {41, 135, 256, 28}, &entry, true, TEditField::TFrame::Flat);
    btnOK.Create(*this, {121, 181, 75, 25}, "&OK", true);
    btnOK.ModalResult = mrOk;
    DefaultButton = &btnOK;
    FirstFocus = &ePW;
    SetTabOrder({&ePW, &btnOK});
}

std::string TfrmWBGetKennwort::Execute(const std::string& title, const std::string& text) {
    if (!Handle())
        return {};
    lbTitel.SetText(title);
    if (!text.empty())
        lbText.SetText(text);
    std::string result;
    if (ShowModal() == mrOk)
        result = ePW.Text();
    return result;
}
