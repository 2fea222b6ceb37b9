#pragma once
// Helpers shared by the rastkit tests: pictures loaded in the order the program uses, and value
// buffers filled from lists.
#include "rastkit/CrastkitApp.h"

#include <cstdint>
#include <vector>

namespace rastkit_test {

// create, pixel offset, colour offsets, load, full-size layer (kind 0); returns the layer handle.
inline int LoadPicture(CrastkitApp& app, int id, int width, int height, int colours, const std::vector<std::uint8_t>& bytes)
{
    if (app.CreateBasePicture(id) != 0)
        return -1;
    app.SetPixcelOffset(id, 0, colours, colours * width, height, width);
    for (int c = 0; c < colours; ++c)
        app.SetColorOffset(id, c, c);
    app.LoadPicImage(id, static_cast<int>(bytes.size()), bytes.data());
    return app.CreateLayer(id, 0, 0, 0, height, width);
}

inline std::vector<std::uint8_t> Stored(const CrastkitApp& app, int id)
{
    std::vector<std::uint8_t> out(std::size_t(app.GetXPixcels(id)) * app.GetYPixcels(id) * app.GetColors(id));
    app.StorePicImage(id, static_cast<int>(out.size()), out.data());
    return out;
}

inline void Fill(CLayerValues& v, int width, int height, int colours, const std::vector<std::int32_t>& values)
{
    v.Resize(width, height, colours);
    for (std::size_t i = 0; i < values.size() && i < v.Count(); ++i)
        v.Data()[i] = values[i];
}

inline std::vector<std::int32_t> All(const CLayerValues& v)
{
    return std::vector<std::int32_t>(v.Data(), v.Data() + v.Count());
}

inline std::vector<std::uint8_t> Pattern(std::size_t n, unsigned seed)
{
    std::vector<std::uint8_t> out(n);
    std::uint32_t s = seed;
    for (auto& b : out) {
        s = s * 1664525u + 1013904223u;
        b = static_cast<std::uint8_t>(s >> 24);
    }
    return out;
}

} // namespace rastkit_test
