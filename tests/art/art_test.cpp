#include "artwork.h"

#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <iterator>
#include <string>

namespace {

std::vector<std::uint8_t> ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

const TPicture& ShippedBackground() {
    static const TPicture picture = DecodeBmp(ReadFile(KALKOMAT_RES_DIR "/background.bmp"));
    return picture;
}

std::uint32_t U32(const std::vector<std::uint8_t>& b, std::size_t at) {
    return b[at] | b[at + 1] << 8 | b[at + 2] << 16 | std::uint32_t(b[at + 3]) << 24;
}
unsigned U16(const std::vector<std::uint8_t>& b, std::size_t at) { return b[at] | b[at + 1] << 8; }

} // namespace

TEST(Artwork, CommittedFilesAreTheGeneratorsOutput) {
    for (const TArtFile& file : MakeAllArtwork()) {
        SCOPED_TRACE(file.Name);
        EXPECT_TRUE(ReadFile(KALKOMAT_RES_DIR "/" + file.Name) == file.Bytes)
            << "res/" << file.Name
            << " is not what tools/artwork.cpp draws: remake it with the artwork target";
    }
}

TEST(Background, RegionBoundingBox) {
    const TPicture& b = ShippedBackground();
    ASSERT_EQ(b.Width, 640);
    ASSERT_EQ(b.Height, 480);
    ASSERT_LE(b.Palette.size(), 16u);
    int left = b.Width, top = b.Height, right = 0, bottom = 0;
    for (int y = 0; y < b.Height; ++y)
        for (int x = 0; x < b.Width; ++x)
            if (!(b.At(x, y) == MaskYellow)) {
                left = std::min(left, x), top = std::min(top, y);
                right = std::max(right, x + 1), bottom = std::max(bottom, y + 1);
            }
    EXPECT_EQ(left, 2);
    EXPECT_EQ(top, 1);
    EXPECT_EQ(right, 634);
    EXPECT_EQ(bottom, 479);
}

// Every control lies wholly inside the window; every label, drawn transparently, lies on one plain colour
// so that its text stays readable. Right-aligned labels are given the width of their longest text.
struct TPlace {
    const char* Name;
    int Left, Top, Width, Height;
    bool Plain; // a label: one colour all over
};
TEST(Background, LayoutFitsThePicture) {
    const TPlace places[] = {
        {"Label18 Kalkomat", 48, 72, 228, 19, true},
        {"Label21 Jungen", 88, 104, 41, 15, true},
        {"Label22 Mädchen", 88, 128, 50, 15, true},
        {"Label1 Geburtsjahr", 214, 104, 65, 15, true},
        {"Label10 Altersgruppe", 214, 130, 70, 15, true},
        {"lbStartgruppe, M19 at most", 304, 130, 40, 19, true},
        {"Label11 Disziplin", 160, 178, 47, 15, true},
        {"Label4 Messwert", 304, 178, 53, 15, true},
        {"Label2 Punkte", 512, 178, 38, 15, true},
        {"Label3 Sprint", 44, 204, 46, 19, true},
        {"Label6 Sprung", 44, 236, 57, 19, true},
        {"Label9 Weitsprung", 164, 236, 72, 16, true},
        {"Label12 Hochsprung", 164, 260, 75, 16, true},
        {"Label7 Wurf / Stoß", 44, 292, 84, 19, true},
        {"Label8 Ausdauer", 44, 322, 74, 19, true},
        {"Label5 s", 408, 200, 9, 18, true},
        {"Label13 m", 408, 232, 14, 18, true},
        {"Label14 m", 408, 256, 14, 18, true},
        {"Label15 m", 408, 288, 14, 18, true},
        {"Label16 min:s", 408, 320, 42, 18, true},
        {"Label17 :", 340, 314, 10, 32, true},
        {"lbPTSprint, 4 digits", 518, 200, 31, 16, true},
        {"lbPTWeitsprung, 4 digits", 518, 232, 31, 16, true},
        {"lbPTHochsprung, 4 digits", 518, 264, 31, 16, true},
        {"lbPTWurf, 4 digits", 518, 288, 31, 16, true},
        {"lbPTLauf, 4 digits", 518, 320, 31, 16, true},
        {"lbPTSumme, 'Punkte:  9999'", 416, 376, 133, 22, true},
        {"lbUrkundenPunkte, 4-digit minimums", 46, 373, 240, 15, true},
        {"Label19", 46, 397, 209, 14, true},
        {"lbUrkunde", 498, 64, 77, 65, true},
        {"Label20 Urkunde", 518, 136, 40, 14, true},
        {"edSprintDW", 304, 200, 89, 23, false},
        {"edLaufDWs", 352, 320, 41, 23, false},
        {"cbSprintDN", 160, 200, 97, 23, false},
        {"cbLaufDN", 160, 320, 97, 23, false},
        {"cbGeburtsjahrgang", 304, 100, 73, 23, false},
        {"rbM", 64, 104, 17, 17, false},
        {"rbW", 64, 128, 17, 17, false},
        {"btInfo", 408, 70, 25, 25, false},
        {"btClose", 432, 70, 25, 25, false},
        {"btRechnen", 368, 416, 185, 41, false},
    };
    const TPicture& b = ShippedBackground();
    ASSERT_EQ(b.Width, 640);
    for (const TPlace& p : places) {
        SCOPED_TRACE(p.Name);
        const TRgb first = b.At(p.Left, p.Top);
        int yellow = 0, other = 0;
        for (int y = p.Top; y < p.Top + p.Height; ++y)
            for (int x = p.Left; x < p.Left + p.Width; ++x) {
                yellow += b.At(x, y) == MaskYellow;
                other += !(b.At(x, y) == first);
            }
        EXPECT_EQ(yellow, 0) << "pixels outside the window";
        if (p.Plain) {
            EXPECT_EQ(other, 0) << "pixels of another colour under the text";
        }
    }
}

// Blocks decoded by hand from the format's rules: the header holds the predictor, the step, the second
// sample and then the first; each byte holds two differences, the high nibble first.
struct TAdpcmCase {
    const char* Name;
    std::vector<std::uint8_t> Block;
    std::vector<std::int16_t> Want;
};
TEST(Signal, AdpcmDecoding) {
    const TAdpcmCase cases[] = {
        // predictor 0 repeats the last sample: 100 + 1 * 16, then 116 - 1 * 16; the step stays at its least,
        // 16
        {"hold", {0, 16, 0, 100, 0, 50, 0, 0x1F}, {50, 100, 116, 100}},
        // predictor 1 goes on in a straight line (2 * s1 - s2); a nibble of 7 grows the step to 614 * 16 /
        // 256
        // = 38, the nibble 8 (-8) to 768 * 38 / 256 = 114
        {"line", {1, 16, 0, 100, 0, 50, 0, 0x07, 0x80}, {50, 100, 150, 312, 170, 28}},
        // a negative second sample (-2 = 0xFFFE); predictor 2 predicts 0: 3 * 32, then the step is
        // 230 * 32 / 256 = 28 and the nibble 13 means -3
        {"negative", {2, 32, 0, 0xFE, 0xFF, 3, 0, 0x3D}, {3, -2, 96, -84}},
    };
    for (const TAdpcmCase& c : cases) {
        SCOPED_TRACE(c.Name);
        EXPECT_EQ(DecodeAdpcm(c.Block.data(), c.Block.size(), c.Want.size()), c.Want);
    }
}

TEST(Signal, WaveImage) {
    const std::vector<std::int16_t> source = RenderSignal();
    const std::vector<std::uint8_t> wave = EncodeAdpcmWave(source, SignalRate);
    ASSERT_EQ(source.size(), 5442u);
    ASSERT_EQ(wave.size(), 2878u); // ten blocks of 256 bytes and one of 227, the headers, a pad byte
    EXPECT_EQ(U32(wave, 4), 2869u);
    EXPECT_EQ(std::string(wave.begin() + 12, wave.begin() + 16), "fmt ");
    EXPECT_EQ(U16(wave, 20), 2u);     // Microsoft ADPCM
    EXPECT_EQ(U32(wave, 24), 11025u); // samples per second
    EXPECT_EQ(U32(wave, 28), 5644u);  // bytes per second
    EXPECT_EQ(U16(wave, 32), 256u);   // block size
    EXPECT_EQ(U16(wave, 38), 500u);   // samples per block
    EXPECT_EQ(std::string(wave.begin() + 70, wave.begin() + 74), "fact");
    EXPECT_EQ(U32(wave, 78), 5442u);
    EXPECT_EQ(std::string(wave.begin() + 82, wave.begin() + 86), "data");
    EXPECT_EQ(U32(wave, 86), 2787u);
    // decoded, the sound stays close to what was drawn: 4-bit ADPCM keeps some 30 dB of signal to noise
    const std::vector<std::int16_t> decoded = DecodeAdpcm(&wave[90], 2787, source.size());
    ASSERT_EQ(decoded.size(), source.size());
    double signal = 0, noise = 0;
    for (std::size_t i = 0; i < source.size(); ++i) {
        signal += double(source[i]) * source[i];
        noise += double(decoded[i] - source[i]) * (decoded[i] - source[i]);
    }
    EXPECT_GT(10 * std::log10(signal / noise), 25.0);
    EXPECT_EQ(source.front(), 0); // no click at either end
    EXPECT_EQ(source.back(), 0);
}
