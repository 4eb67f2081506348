// Names of the program's resources (res/Kalkomat.rc), for the code that loads them and for the .rc itself.
#pragma once

#define IDR_VERSION 1  // the version block
#define IDR_MANIFEST 1 // the application manifest (CREATEPROCESS_MANIFEST_RESOURCE_ID)

#ifndef RC_INVOKED
// Resource names as FindResourceA, LoadImageA and LoadIconA take them. Windows matches names without
// regard to case; the .rc spells them in capitals, as the resource compiler stores them.
inline constexpr char ResBackground[] =
    "BACKGROUND"; // BITMAP, 640 x 480, 16 colours; pure yellow lies outside
inline constexpr char ResGlyphInfo[] = "GLYPH_INFO";   // BITMAP, 24 x 24, 256 colours; magenta is transparent
inline constexpr char ResGlyphClose[] = "GLYPH_CLOSE"; // BITMAP, as the info glyph
inline constexpr char ResKeys[] = "KEYS";              // BITMAP, as the info glyph: a silver and a golden key
inline constexpr char ResMainIcon[] = "MAINICON";      // ICON, 16, 32 and 48 pixels
inline constexpr char ResSignal[] = "SIGNAL";          // a complete RIFF wave image, of the type below
inline constexpr char ResWaveType[] = "WAVE";
#endif
