#pragma once
// Quarter turns and free rotation of one layer's values into another's, and the size of the box
// a turned picture needs.
#include "rastkit/CTypeLayerPict.h"

#include <cstdint>

namespace CRotator {

// False when the destination is not the source's size turned (width = source height and so on).
bool Rotate90(const CLayerValues& src, CLayerValues& dst);
bool Rotate270(const CLayerValues& src, CLayerValues& dst);
// Turns about the centres by degrees, with bicubic interpolation; pixels whose taps leave the
// source become 0.
void Rotate(const CLayerValues& src, CLayerValues& dst, int degrees);

struct SSize {
    std::int32_t width;
    std::int32_t height;
};
SSize RotatedSize(int width, int height, int degrees);

} // namespace CRotator
