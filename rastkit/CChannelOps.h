#pragma once
// Operations on one channel of a layer: convolution, division, levels, cyclic shift and
// histograms, and cutting a rectangle out of one layer into another. Each returns false, changing
// nothing, when its arguments cannot be used safely (zero divisors, empty bins, reads outside).
#include "rastkit/CTypeLayerPict.h"

#include <cstdint>

namespace CChannelOps {

bool Filter(CLayerPict& layer, int channel, int rows, int columns, const std::int32_t* kernel);
bool Divide(CLayerPict& layer, int channel, int divisor);
bool Levels(CLayerPict& layer, int channel, int inHigh, int inLow, int outHigh, int outLow);
bool Shift(CLayerPict& layer, int channel, int amount);
bool Histogram(const CLayerPict& layer, int channel, int high, int low, int bins, std::int32_t* out);
bool JointHistogram(const CLayerPict& layer, int channel1, int high1, int low1, int channel2, int high2, int low2,
                    int bins1, int bins2, std::int32_t* out);
bool Cut(const CLayerValues& src, CLayerValues& dst, int top, int left);

} // namespace CChannelOps
