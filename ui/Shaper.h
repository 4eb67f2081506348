// The shaped-window component: paints the form's background picture at (0, 0), cuts the window region
// from the picture (every pixel that is not the mask colour) and lets a left-button press on the bare
// background move the window.
#pragma once

#include "ui/Application.h"
#include "ui/Gdi.h"

class TForm;

inline constexpr COLORREF ShapeMaskColor = RGB(255, 255, 0); // pure yellow lies outside the window

class TShaper : public TComponent {
public:
    // Loads the bitmap resource, applies the region to the form's window (call before it is first shown)
    // and becomes its background. false when the picture is missing; the form then stays rectangular.
    bool Attach(TForm& form, const char* pictureResource);
    HBITMAP Picture() const { return PictureBitmap.get(); }

    // The region of the picture's pixels that are not `mask`, built row by row from one-pixel-high runs;
    // nullptr when the picture cannot be read.
    static TRegionOwner RegionFromPicture(HBITMAP picture, COLORREF mask);

private:
    TBitmapOwner PictureBitmap;
};
