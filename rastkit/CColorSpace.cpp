#include "rastkit/CColorSpace.h"

#include "rastkit/CTypeLayerPict.h"

#include <algorithm>

namespace CColorSpace {

namespace {

std::int32_t Clamp255(std::int32_t v) { return std::clamp<std::int32_t>(v, 0, 255); }

// Doubles outside the int range would make the cast undefined; such values come only from
// values far outside 0-255, so they are pinned to the range ends.
std::int32_t Truncate(double v)
{
    if (!(v > -2147483648.0))
        return INT32_MIN;
    if (v >= 2147483647.0)
        return INT32_MAX;
    return static_cast<std::int32_t>(v);
}

} // namespace

STriple RgbToYCbCr(STriple rgb)
{
    const double r = rgb.a, g = rgb.b, b = rgb.c;
    return {Truncate(0.29891 * r + 0.58661 * g + 0.11448 * b),
            Truncate(0.5 * b - (0.16874 * r + 0.33126 * g) + 128),
            Truncate(0.5 * r - 0.41869 * g - 0.08131 * b + 128)};
}

STriple YCbCrToRgb(STriple ycc)
{
    const double y = ycc.a, cb = ycc.b - 128.0, cr = ycc.c - 128.0;
    return {Clamp255(Truncate(y + 1.402 * cr)),
            Clamp255(Truncate(y - 0.34414 * cb - 0.71414 * cr)),
            Clamp255(Truncate(y + 1.772 * cb))};
}

STriple RgbToHsv(STriple rgb, std::int32_t previousHue)
{
    const std::int64_t r = rgb.a, g = rgb.b, b = rgb.c;
    std::int64_t max = r, min = r;
    int top = 0;
    if (g > max) { max = g; top = 1; }
    if (b > max) { max = b; top = 2; }
    min = std::min({r, g, b});
    if (max == 0)
        return {previousHue, 0, 0};
    const std::int64_t d = max - min;
    const auto s = static_cast<std::int32_t>(d * 255 / max);
    // A grey pixel has no hue either; it keeps the previous one like black does (no division by 0).
    if (d == 0)
        return {previousHue, s, static_cast<std::int32_t>(max)};
    // Hue runs red, yellow, green, cyan, blue, magenta: the order the sectors are turned back in.
    std::int64_t q;
    if (top == 0)
        q = (g - b) / d;
    else if (top == 1)
        q = (b - r) / d + 2;
    else
        q = (r - g) / d + 4;
    std::int64_t h = 60 * q;
    if (h < 0)
        h += 360;
    return {static_cast<std::int32_t>(h), s, static_cast<std::int32_t>(max)};
}

STriple HsvToRgb(STriple hsv)
{
    const std::int64_t v = hsv.c, s = hsv.b;
    if (s == 0)
        return {hsv.c, hsv.c, hsv.c};
    // Hues outside 0-359 (after other operations) are taken round the circle.
    std::int64_t h = hsv.a % 360;
    if (h < 0)
        h += 360;
    const std::int64_t sector = h / 60;
    const std::int64_t f = (h % 60) * 256 / 60;
    const auto p = static_cast<std::int32_t>(v * (256 - s) / 256);
    const auto q = static_cast<std::int32_t>(v * (256 - s * f / 256) / 256);
    const auto t = static_cast<std::int32_t>(v * (256 - s * (256 - f) / 256) / 256);
    const auto V = hsv.c;
    switch (sector) {
    case 0: return {V, t, p};
    case 1: return {q, V, p};
    case 2: return {p, V, t};
    case 3: return {p, q, V};
    case 4: return {t, p, V};
    default: return {V, p, q};
    }
}

bool Convert(std::int32_t* values, std::size_t pixels, int colours, int from, int to)
{
    auto known = [](int kind) { return kind == kColorRgb || kind == kColorYCbCr || kind == kColorHsv; };
    if (!known(from) || !known(to) || colours < 3)
        return false;
    if (from == to)
        return true;
    std::int32_t hueIn = 0;   // the hue a colourless pixel keeps
    for (std::size_t i = 0; i < pixels; ++i) {
        std::int32_t* px = values + i * std::size_t(colours);
        STriple t{px[0], px[1], px[2]};
        if (from == kColorYCbCr)
            t = YCbCrToRgb(t);
        else if (from == kColorHsv)
            t = HsvToRgb(t);
        if (to == kColorYCbCr) {
            t = RgbToYCbCr(t);
        } else if (to == kColorHsv) {
            t = RgbToHsv(t, hueIn);
            hueIn = t.a;
        }
        px[0] = t.a;
        px[1] = t.b;
        px[2] = t.c;
    }
    return true;
}

} // namespace CColorSpace
