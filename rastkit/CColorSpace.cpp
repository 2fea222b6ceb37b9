#include "rastkit/CColorSpace.h"

#include "rastkit/CParallel.h"
#include "rastkit/CTypeLayerPict.h"

#include <algorithm>
#include <array>
#include <climits>

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

namespace {

struct SExtremes {
    std::int64_t max, min;
    int top;   // the channel that holds the maximum; ties go to red before green before blue
};

SExtremes ExtremesOf(STriple rgb)
{
    const std::int64_t r = rgb.a, g = rgb.b, b = rgb.c;
    SExtremes e{r, std::min({r, g, b}), 0};
    if (g > e.max) { e.max = g; e.top = 1; }
    if (b > e.max) { e.max = b; e.top = 2; }
    return e;
}

// The hue of a pixel that has one; false for black and grey pixels, which keep the previous hue.
bool OwnHue(STriple rgb, const SExtremes& e, std::int32_t& hue)
{
    const std::int64_t r = rgb.a, g = rgb.b, b = rgb.c;
    const std::int64_t d = e.max - e.min;
    // A grey pixel has no hue either; it keeps the previous one like black does (no division by 0).
    if (e.max == 0 || d == 0)
        return false;
    // Hue runs red, yellow, green, cyan, blue, magenta: the order the sectors are turned back in.
    std::int64_t q;
    if (e.top == 0)
        q = (g - b) / d;
    else if (e.top == 1)
        q = (b - r) / d + 2;
    else
        q = (r - g) / d + 4;
    std::int64_t h = 60 * q;
    if (h < 0)
        h += 360;
    hue = static_cast<std::int32_t>(h);
    return true;
}

} // namespace

STriple RgbToHsv(STriple rgb, std::int32_t previousHue)
{
    const SExtremes e = ExtremesOf(rgb);
    if (e.max == 0)
        return {previousHue, 0, 0};
    const auto s = static_cast<std::int32_t>((e.max - e.min) * 255 / e.max);
    std::int32_t hue = previousHue;
    OwnHue(rgb, e, hue);
    return {hue, s, static_cast<std::int32_t>(e.max)};
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

namespace {

STriple ToRgb(STriple t, int from)
{
    if (from == kColorYCbCr)
        return YCbCrToRgb(t);
    if (from == kColorHsv)
        return HsvToRgb(t);
    return t;
}

void ConvertRange(std::int32_t* values, std::size_t pixels, int colours, int from, int to, std::int32_t hueIn)
{
    for (std::size_t i = 0; i < pixels; ++i) {
        std::int32_t* px = values + i * std::size_t(colours);
        STriple t = ToRgb({px[0], px[1], px[2]}, from);
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
}

// The hue an HSV conversion of the pixels from `first` on starts with: that of the last pixel
// between `floor` and `first` that has a hue of its own, else `earlier`. Read before anything is
// converted.
std::int32_t HueBefore(const std::int32_t* values, std::size_t floor, std::size_t first, int colours, int from,
                       std::int32_t earlier)
{
    for (std::size_t i = first; i-- > floor;) {
        const std::int32_t* px = values + i * std::size_t(colours);
        const STriple rgb = ToRgb({px[0], px[1], px[2]}, from);
        const SExtremes e = ExtremesOf(rgb);
        std::int32_t hue = 0;
        if (OwnHue(rgb, e, hue))
            return hue;
    }
    return earlier;
}

} // namespace

bool Convert(std::int32_t* values, std::size_t pixels, int colours, int from, int to)
{
    auto known = [](int kind) { return kind == kColorRgb || kind == kColorYCbCr || kind == kColorHsv; };
    if (!known(from) || !known(to) || colours < 3)
        return false;
    if (from == to)
        return true;
    const int bands = pixels > std::size_t(INT_MAX) ? 1 : CParallel::Bands(int(pixels), pixels);
    auto begin = [&](int band) {
        return band >= bands ? pixels : std::size_t(CParallel::BandBegin(int(pixels), bands, band));
    };
    // Each pixel without a hue takes the one before it: every band learns its first from the
    // unconverted pixels before it, as one pass from the start would have carried it.
    std::array<std::int32_t, CParallel::kMaxBands> hueIn{};
    if (to == kColorHsv) {
        for (int b = 1; b < bands; ++b)
            hueIn[b] = HueBefore(values, begin(b - 1), begin(b), colours, from, hueIn[b - 1]);
    }
    CParallel::Run(bands, [&](int b) {
        ConvertRange(values + begin(b) * std::size_t(colours), begin(b + 1) - begin(b), colours, from, to, hueIn[b]);
    });
    return true;
}

} // namespace CColorSpace
