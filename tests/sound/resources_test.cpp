// The resources as the program finds them in its own executable: the pictures in the form the window
// expects, the icon sizes, the wave image, the version block and the manifest.
#include "res/resource.h"

#include <windows.h>
#include <mmsystem.h>

#include <gtest/gtest.h>

#include <cctype>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

namespace {

struct TBytes {
    const std::uint8_t* Data = nullptr;
    std::size_t Size = 0;
};

TBytes ResourceBytes(LPCSTR name, LPCSTR type) {
    HRSRC info = FindResourceA(nullptr, name, type);
    if (info == nullptr)
        return {};
    HGLOBAL loaded = LoadResource(nullptr, info);
    return {static_cast<const std::uint8_t*>(LockResource(loaded)), SizeofResource(nullptr, info)};
}

std::uint32_t U32(const std::uint8_t* p) { return p[0] | p[1] << 8 | p[2] << 16 | std::uint32_t(p[3]) << 24; }
std::uint16_t U16(const std::uint8_t* p) { return static_cast<std::uint16_t>(p[0] | p[1] << 8); }

// A bitmap resource is a BMP file without its file header: the info header, the palette, the rows.
struct TBitmap {
    int Width = 0, Height = 0, Bits = 0;
    std::vector<RGBQUAD> Palette;
    std::vector<std::uint8_t> Index; // one palette index per pixel, rows from the top
    RGBQUAD At(int x, int y) const {
        return Palette.at(Index[static_cast<std::size_t>(y) * static_cast<std::size_t>(Width) +
                                static_cast<std::size_t>(x)]);
    }
};

TBitmap ReadBitmap(LPCSTR name) {
    const TBytes r = ResourceBytes(name, RT_BITMAP);
    TBitmap b;
    if (r.Size < sizeof(BITMAPINFOHEADER))
        return b;
    BITMAPINFOHEADER h;
    std::memcpy(&h, r.Data, sizeof h);
    if (h.biSize != sizeof h || h.biCompression != BI_RGB || h.biHeight <= 0 ||
        (h.biBitCount != 4 && h.biBitCount != 8))
        return b;
    const std::size_t colours = h.biClrUsed ? h.biClrUsed : std::size_t{1} << h.biBitCount;
    const std::size_t stride = ((static_cast<std::size_t>(h.biWidth) * h.biBitCount + 31) / 32) * 4;
    const std::size_t pixels = sizeof h + colours * sizeof(RGBQUAD);
    if (pixels + stride * static_cast<std::size_t>(h.biHeight) > r.Size)
        return b;
    b.Palette.resize(colours);
    std::memcpy(b.Palette.data(), r.Data + sizeof h, colours * sizeof(RGBQUAD));
    for (int y = 0; y < h.biHeight; ++y) {
        const std::uint8_t* row = r.Data + pixels + stride * static_cast<std::size_t>(h.biHeight - 1 - y);
        for (int x = 0; x < h.biWidth; ++x)
            b.Index.push_back(h.biBitCount == 8 ? row[x]
                                                : (x % 2 == 0 ? row[x / 2] >> 4 : row[x / 2] & 0x0F));
    }
    b.Width = h.biWidth;
    b.Height = h.biHeight;
    b.Bits = h.biBitCount;
    return b;
}

bool Is(RGBQUAD c, int r, int g, int b) { return c.rgbRed == r && c.rgbGreen == g && c.rgbBlue == b; }

} // namespace

TEST(Resources, BackgroundIsTheWindowsShape) {
    const TBitmap b = ReadBitmap(ResBackground);
    ASSERT_EQ(b.Width, 640);
    ASSERT_EQ(b.Height, 480);
    EXPECT_EQ(b.Bits, 4);
    // the window region: every pixel that is not pure yellow
    RECT box{640, 480, 0, 0};
    for (int y = 0; y < b.Height; ++y)
        for (int x = 0; x < b.Width; ++x)
            if (!Is(b.At(x, y), 255, 255, 0)) {
                box.left = std::min<LONG>(box.left, x), box.top = std::min<LONG>(box.top, y);
                box.right = std::max<LONG>(box.right, x + 1), box.bottom = std::max<LONG>(box.bottom, y + 1);
            }
    EXPECT_EQ(box.left, 2);
    EXPECT_EQ(box.top, 1);
    EXPECT_EQ(box.right, 634);
    EXPECT_EQ(box.bottom, 479);
    EXPECT_TRUE(Is(b.At(300, 300), 196, 194, 196)) << "the panel's face";
    EXPECT_TRUE(Is(b.At(535, 98), 255, 255, 255)) << "the disc's middle";
    // and the system loads it as the 16-colour picture it is
    HBITMAP loaded = static_cast<HBITMAP>(
        LoadImageA(GetModuleHandleA(nullptr), ResBackground, IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
    ASSERT_NE(loaded, nullptr);
    BITMAP info{};
    GetObjectA(loaded, sizeof info, &info);
    EXPECT_EQ(info.bmWidth, 640);
    EXPECT_EQ(info.bmHeight, 480);
    EXPECT_EQ(info.bmBitsPixel, 4);
    DeleteObject(loaded);
}

TEST(Resources, GlyphsAre24PixelsWithMagentaAround) {
    for (LPCSTR name : {ResGlyphInfo, ResGlyphClose, ResKeys}) {
        SCOPED_TRACE(name);
        const TBitmap b = ReadBitmap(name);
        ASSERT_EQ(b.Width, 24);
        ASSERT_EQ(b.Height, 24);
        EXPECT_EQ(b.Bits, 8);
        for (POINT p : {POINT{0, 0}, POINT{23, 0}, POINT{0, 23}, POINT{23, 23}})
            EXPECT_TRUE(Is(b.At(p.x, p.y), 255, 0, 255)) << p.x << "," << p.y;
        int drawn = 0;
        for (int y = 0; y < 24; ++y)
            for (int x = 0; x < 24; ++x)
                drawn += !Is(b.At(x, y), 255, 0, 255);
        EXPECT_GT(drawn, 24 * 24 / 4) << "hardly anything drawn";
    }
}

TEST(Resources, IconHasThreeSizes) {
    // the icon group lists its images: 6 bytes of header, then 14 bytes per image
    const TBytes group = ResourceBytes(ResMainIcon, RT_GROUP_ICON);
    ASSERT_GE(group.Size, 6u);
    const int count = U16(group.Data + 4);
    ASSERT_EQ(group.Size, 6u + 14u * count);
    std::vector<int> sizes;
    sizes.reserve(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i)
        sizes.push_back(group.Data[6 + 14 * i]);
    EXPECT_EQ(sizes, (std::vector<int>{16, 32, 48}));
    for (int size : {16, 32, 48}) {
        HICON icon =
            static_cast<HICON>(LoadImageA(GetModuleHandleA(nullptr), ResMainIcon, IMAGE_ICON, size, size, 0));
        EXPECT_NE(icon, nullptr) << size;
        if (icon)
            DestroyIcon(icon);
    }
}

TEST(Resources, SignalIsAWaveImageOfHalfASecond) {
    const TBytes w = ResourceBytes(ResSignal, ResWaveType);
    ASSERT_GE(w.Size, 12u);
    ASSERT_EQ(std::memcmp(w.Data, "RIFF", 4), 0);
    ASSERT_EQ(std::memcmp(w.Data + 8, "WAVE", 4), 0);
    const std::size_t end = 8 + U32(w.Data + 4);
    ASSERT_LE(end, w.Size) << "the RIFF chunk runs past the resource";
    const std::uint8_t* fmt = nullptr;
    std::uint32_t dataSize = 0, factSamples = 0;
    for (std::size_t at = 12; at + 8 <= end;) {
        const std::uint32_t size = U32(w.Data + at + 4);
        ASSERT_LE(at + 8 + size, end) << "chunk at " << at;
        if (std::memcmp(w.Data + at, "fmt ", 4) == 0 && size >= 16)
            fmt = w.Data + at + 8;
        else if (std::memcmp(w.Data + at, "data", 4) == 0)
            dataSize = size;
        else if (std::memcmp(w.Data + at, "fact", 4) == 0 && size >= 4)
            factSamples = U32(w.Data + at + 8);
        at += 8 + size + size % 2;
    }
    ASSERT_NE(fmt, nullptr);
    ASSERT_GT(dataSize, 0u);
    const int format = U16(fmt), channels = U16(fmt + 2), blockAlign = U16(fmt + 12);
    const double rate = U32(fmt + 4);
    EXPECT_EQ(channels, 1);
    double seconds = 0;
    if (format == WAVE_FORMAT_PCM) {
        const auto frames = dataSize / blockAlign; // whole frames only
        seconds = frames / rate;
    } else {
        ASSERT_EQ(format, 2) << "PCM or Microsoft ADPCM";
        ASSERT_GT(factSamples, 0u) << "ADPCM needs its sample count";
        const int samplesPerBlock = U16(fmt + 18);
        const std::uint32_t blocks = (dataSize + blockAlign - 1) / blockAlign;
        EXPECT_LE(factSamples, blocks * samplesPerBlock) << "more samples claimed than the data holds";
        seconds = factSamples / rate;
    }
    EXPECT_GT(seconds, 0.4);
    EXPECT_LT(seconds, 0.6);
    // The system's sound function plays through the wave mapper, which must be able to take the format
    // (Microsoft ADPCM through the system's decoder). It needs an audio device to answer; under Wine the
    // tests get a silent one.
    if (waveOutGetNumDevs() == 0)
        GTEST_SKIP() << "no audio device to ask whether the format plays";
    EXPECT_EQ(waveOutOpen(nullptr, WAVE_MAPPER, reinterpret_cast<const WAVEFORMATEX*>(fmt), 0, 0,
                          WAVE_FORMAT_QUERY),
              MMSYSERR_NOERROR);
}

TEST(Resources, VersionBlock) {
    char path[MAX_PATH];
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    DWORD handle = 0;
    const DWORD size = GetFileVersionInfoSizeA(path, &handle);
    ASSERT_GT(size, 0u);
    std::vector<char> block(size);
    ASSERT_TRUE(GetFileVersionInfoA(path, 0, size, block.data()));
    struct TValue {
        const char* Key;
        const char* Want;
    };
    const TValue values[] = {
        {"ProductName", "Kalkomat"},   {"InternalName", "Kalkomat"},
        {"ProductVersion", "1.2.0.1"}, {"CompanyName", "Wembrik Software"},
        {"FileVersion", "1.2.0.2"},    {"LegalCopyright", "Wembrik Software"},
    };
    for (const TValue& v : values) {
        SCOPED_TRACE(v.Key);
        char* text = nullptr;
        UINT length = 0;
        const std::string query = std::string("\\StringFileInfo\\040704E4\\") + v.Key;
        ASSERT_TRUE(VerQueryValueA(block.data(), query.c_str(), reinterpret_cast<void**>(&text), &length));
        EXPECT_STREQ(text, v.Want);
    }
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueA(block.data(), "\\", reinterpret_cast<void**>(&fixed), &length));
    EXPECT_EQ(fixed->dwFileVersionMS, 0x00010002u);
    EXPECT_EQ(fixed->dwFileVersionLS, 0x00000002u);
    EXPECT_EQ(fixed->dwProductVersionMS, 0x00010002u);
    EXPECT_EQ(fixed->dwProductVersionLS, 0x00000002u);
    WORD* translation = nullptr;
    ASSERT_TRUE(VerQueryValueA(block.data(), "\\VarFileInfo\\Translation",
                               reinterpret_cast<void**>(&translation), &length));
    ASSERT_GE(length, 4u);
    EXPECT_EQ(translation[0], 0x0407);
    EXPECT_EQ(translation[1], 1252);
}

// The manifest must be the application manifest (type RT_MANIFEST, id 1) for the system to apply it:
// then the process counts as aware of the screen's resolution, so that the system does not stretch the
// window, and its comctl32 comes from the side-by-side assembly of the common controls 6.0 (Wine's
// DllGetVersion reports 5.81 for both copies, so the place it was loaded from tells them apart).
TEST(Resources, ManifestTakesEffect) {
    EXPECT_NE(ResourceBytes(MAKEINTRESOURCEA(IDR_MANIFEST), RT_MANIFEST).Data, nullptr);
    EXPECT_TRUE(IsProcessDPIAware());
    HMODULE controls = LoadLibraryA("comctl32.dll");
    ASSERT_NE(controls, nullptr);
    char path[MAX_PATH] = "";
    GetModuleFileNameA(controls, path, MAX_PATH);
    std::string lower = path;
    for (char& c : lower)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    EXPECT_NE(lower.find("microsoft.windows.common-controls_6595b64144ccf1df_6."), std::string::npos) << path;
}
