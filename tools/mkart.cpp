// mkart: draws the program's artwork and writes it into a folder:
//   background.bmp   the calculator window's background picture, 640 x 480, 16 colours, yellow = outside
//   glyph_info.bmp   the info button's glyph, 24 x 24, 256 colours, magenta = transparent
//   glyph_close.bmp  the close button's glyph, the same kind
//   keys.bmp         the password dialog's picture of two keys, the same kind
//   Kalkomat.ico     the application icon, 16, 32 and 48 pixels
//   signal.wav       the signal sound, half a second of Microsoft ADPCM
// The files in res/ are its output, committed with the sources; the build does not remake them. To
// remake them after a change to tools/artwork.cpp, in the native build:
//   cmake --preset native && cmake --build --preset native --target artwork
// (or run build/native/tools/mkart res). The output is the same byte for byte on every run; the native
// test art_tests fails while res/ differs from what the generator draws.
#include "artwork.h"

#include <cstdio>
#include <filesystem>
#include <fstream>

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: mkart FOLDER\n");
        return 2;
    }
    const std::filesystem::path folder = argv[1];
    try {
        for (const TArtFile& file : MakeAllArtwork()) {
            const std::filesystem::path path = folder / file.Name;
            std::ofstream out(path, std::ios::binary | std::ios::trunc);
            out.write(reinterpret_cast<const char*>(file.Bytes.data()),
                      static_cast<std::streamsize>(file.Bytes.size()));
            if (!out) {
                std::fprintf(stderr, "mkart: cannot write %s\n", path.string().c_str());
                return 1;
            }
            std::printf("%s: %zu bytes\n", path.string().c_str(), file.Bytes.size());
        }
    } catch (const std::exception& e) {
        std::fprintf(stderr, "mkart: %s\n", e.what());
        return 1;
    }
    return 0;
}
