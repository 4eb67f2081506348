#include "ui/Shaper.h"

#include "ui/Form.h"

#include <cstdint>
#include <cstring>
#include <vector>

bool TShaper::Attach(TForm& form, const char* pictureResource) {
    PictureBitmap.reset(static_cast<HBITMAP>(
        LoadImageA(Application.Instance(), pictureResource, IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
    if (!PictureBitmap)
        return false;
    if (TRegionOwner region = RegionFromPicture(PictureBitmap.get(), ShapeMaskColor))
        if (SetWindowRgn(form.Handle(), region.get(), FALSE))
            static_cast<void>(region.release()); // the window owns its region from now on
    form.SetBackgroundPicture(PictureBitmap.get());
    form.DragByBackground = true;
    return true;
}

TRegionOwner TShaper::RegionFromPicture(HBITMAP picture, COLORREF mask) {
    BITMAP info{};
    if (!GetObjectA(picture, sizeof(info), &info) || info.bmWidth <= 0 || info.bmHeight <= 0)
        return nullptr;
    const int width = info.bmWidth;
    const int height = info.bmHeight;
    // The pixels as 32-bit blue-green-red values, top row first.
    BITMAPINFO format{};
    format.bmiHeader.biSize = sizeof(format.bmiHeader);
    format.bmiHeader.biWidth = width;
    format.bmiHeader.biHeight = -height;
    format.bmiHeader.biPlanes = 1;
    format.bmiHeader.biBitCount = 32;
    format.bmiHeader.biCompression = BI_RGB;
    std::vector<std::uint32_t> pixels(static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
    HDC screen = GetDC(nullptr);
    const int rows =
        GetDIBits(screen, picture, 0, static_cast<UINT>(height), pixels.data(), &format, DIB_RGB_COLORS);
    ReleaseDC(nullptr, screen);
    if (rows != height)
        return nullptr;

    const std::uint32_t masked = (GetRValue(mask) << 16) | (GetGValue(mask) << 8) | GetBValue(mask);
    std::vector<RECT> runs;
    for (int y = 0; y < height; ++y) {
        const std::uint32_t* row =
            pixels.data() + static_cast<std::size_t>(y) * static_cast<std::size_t>(width);
        int x = 0;
        while (x < width) {
            while (x < width && (row[x] & 0xFFFFFFu) == masked)
                ++x;
            const int start = x;
            while (x < width && (row[x] & 0xFFFFFFu) != masked)
                ++x;
            if (x > start)
                runs.push_back({start, y, x, y + 1});
        }
    }
    // All runs joined into one region at once.
    std::vector<std::uint8_t> data(sizeof(RGNDATAHEADER) + runs.size() * sizeof(RECT));
    RGNDATAHEADER header{};
    header.dwSize = sizeof(header);
    header.iType = RDH_RECTANGLES;
    header.nCount = static_cast<DWORD>(runs.size());
    header.nRgnSize = static_cast<DWORD>(runs.size() * sizeof(RECT));
    header.rcBound = {0, 0, width, height};
    std::memcpy(data.data(), &header, sizeof(header));
    if (!runs.empty())
        std::memcpy(data.data() + sizeof(header), runs.data(), runs.size() * sizeof(RECT));
    return TRegionOwner(ExtCreateRegion(nullptr, static_cast<DWORD>(data.size()),
                                        reinterpret_cast<const RGNDATA*>(data.data())));
}
