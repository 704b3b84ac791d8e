// The shape of the renotation table: how the data file lays out the
// renotation points, how the program holds them, and the steps and limits
// that every reader of the table counts with. Nothing here depends on the
// data themselves; the data builder (tools/muncie) writes the file to this
// shape and the engine reads it back.
#pragma once

namespace tw::engine {

// Chromaticities are held as whole numbers: x and y times 10000, that is
// four decimals.
inline constexpr int chromaticityDecimals = 4;
inline constexpr int chromaticityScale = 10000;

// One hue step (hue index h is hue number 2.5 h; index 0 is 10RP) and one
// chroma step (chroma index c is Chroma 2 c) of the table.
inline constexpr float hueStep = 2.5f;
inline constexpr float chromaStep = 2.0f;

// The data file: Values 0..10, hue index 0..39, chroma index 0..16, an x, y
// pair at each point.
inline constexpr int fileValues = 11;
inline constexpr int fileHues = 40;
inline constexpr int fileChromas = 17;
inline constexpr int fileNumbers = fileValues * fileHues * fileChromas * 2;

// The highest Chroma the table holds: the last chroma index of the file.
inline constexpr float tableChromaLimit = chromaStep * (fileChromas - 1);

// The table in memory. Hue index 40 repeats index 0, so that hue numbers
// from 97.5 to 100 interpolate towards 10RP, and 41 is never filled; chroma
// indices up to 30 (Chroma below 62) stay inside the table but only 0..16
// are ever filled.
inline constexpr int storedValues = fileValues;
inline constexpr int storedHues = fileHues + 2;
inline constexpr int storedChromas = 31;

// The cells the renotation points form at each Value level: hue column h
// (with its neighbour h + 1, the last one with the repeated 10RP) and chroma
// ring c (with its outer ring c + 1).
inline constexpr int cellLevels = fileValues;
inline constexpr int cellColumns = fileHues;
inline constexpr int cellRings = fileChromas - 1;

// Chromaticity of illuminant C with the 1931 observer, the neutral point:
// chroma index 0 at every Value and hue, in table units and as x, y.
inline constexpr int neutralUnitsX = 3101;
inline constexpr int neutralUnitsY = 3163;
inline constexpr float neutralX = static_cast<float>(neutralUnitsX) / chromaticityScale;
inline constexpr float neutralY = static_cast<float>(neutralUnitsY) / chromaticityScale;

static_assert([] {
    int scale = 1;
    for (int i = 0; i < chromaticityDecimals; ++i) {
        scale *= 10;
    }
    return scale;
}() == chromaticityScale);
static_assert(fileHues * hueStep == 100.0f, "the hue steps go once round the circle");
static_assert(tableChromaLimit == 32.0f);
static_assert(neutralX == 0.3101f && neutralY == 0.3163f);

} // namespace tw::engine
