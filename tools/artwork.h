// The program's artwork, drawn by code so that it can be remade byte for byte: the window's background
// picture, the button glyphs, the two-keys picture, the application icon and the signal sound.
// Plain standard C++; mkart writes the files, the tests check the pictures against the window layout.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct TRgb {
    std::uint8_t R = 0, G = 0, B = 0;
    friend bool operator==(const TRgb&, const TRgb&) = default;
};

inline constexpr TRgb MaskYellow{255, 255, 0};   // background pixels of this colour lie outside the window
inline constexpr TRgb GlyphMagenta{255, 0, 255}; // transparent pixels of the glyphs
inline constexpr TRgb PanelGrey{196, 194, 196};  // the face of the calculator's panel

// A palette picture: one palette index per pixel, rows from the top.
struct TPicture {
    int Width = 0;
    int Height = 0;
    std::vector<TRgb> Palette;
    std::vector<std::uint8_t> Pixels;
    TRgb At(int x, int y) const {
        return Palette[Pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(Width) +
                              static_cast<std::size_t>(x)]];
    }
};

TPicture DrawBackground(); // 640 x 480, 16 colours
TPicture DrawGlyphInfo();  // 24 x 24: blue diamond, white i
TPicture DrawGlyphClose(); // 24 x 24: orange square, white diagonal cross
TPicture DrawKeys();       // 24 x 24: a silver and a golden key

// A BMP file image; bitsPerPixel 4 (16 colours) or 8 (256 colours), the palette padded to full size.
std::vector<std::uint8_t> EncodeBmp(const TPicture& picture, int bitsPerPixel);
TPicture DecodeBmp(const std::vector<std::uint8_t>& file); // of EncodeBmp's output; empty when unreadable

std::vector<std::uint8_t> MakeIcon(); // the application icon: 16, 32 and 48 pixels, 32-bit with alpha

// The signal: 5442 samples at 11025 per second, about half a second.
inline constexpr int SignalRate = 11025;
inline constexpr int SignalSamples = 5442;
std::vector<std::int16_t> RenderSignal();
// A complete RIFF wave image in Microsoft ADPCM, mono, 256-byte blocks of 500 samples.
std::vector<std::uint8_t> EncodeAdpcmWave(const std::vector<std::int16_t>& samples, int rate);
// The samples of a Microsoft ADPCM data chunk as the system's decoder gives them back.
std::vector<std::int16_t> DecodeAdpcm(const std::uint8_t* data, std::size_t size, std::size_t sampleCount);

struct TArtFile {
    std::string Name;
    std::vector<std::uint8_t> Bytes;
};
// Every generated file of res/, by its file name.
std::vector<TArtFile> MakeAllArtwork();
