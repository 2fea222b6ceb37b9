#pragma once
// Scaling of one layer's values into another's, by nearest neighbour, bilinear and bicubic
// interpolation (8-bit fixed point) and area average. The destination's size is the target size;
// both buffers have the same channel count and are not the same buffer.
#include "rastkit/CTypeLayerPict.h"

namespace CResampler {

void Nearest(const CLayerValues& src, CLayerValues& dst);
void Bilinear(const CLayerValues& src, CLayerValues& dst);
// False when the source is smaller than 4 x 4: the four taps would not fit inside it.
bool Bicubic(const CLayerValues& src, CLayerValues& dst);
// False when the source is narrower or lower than the destination.
bool PixelAverage(const CLayerValues& src, CLayerValues& dst);

// Weight of the cubic convolution kernel (a = -1) for a distance in 1/256 pixel.
int CubicWeight(int distance);

} // namespace CResampler
