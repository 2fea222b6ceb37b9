#pragma once
// Conversions between the colour kinds of a layer (RGB, YCbCr, HSV) on its 32-bit values.
// Channels 0-2 are converted; a fourth channel is left alone.
#include <cstddef>
#include <cstdint>

namespace CColorSpace {

struct STriple {
    std::int32_t a, b, c;
};

STriple RgbToYCbCr(STriple rgb);
STriple YCbCrToRgb(STriple ycc);
// hue is the hue kept from the previous pixel, used when the pixel has no hue of its own.
STriple RgbToHsv(STriple rgb, std::int32_t previousHue);
STriple HsvToRgb(STriple hsv);

// Converts count pixels of colours interleaved values from one kind to another (through RGB
// where needed). Returns false, changing nothing, when the kinds or the channel count do not allow it.
bool Convert(std::int32_t* values, std::size_t pixels, int colours, int from, int to);

} // namespace CColorSpace
