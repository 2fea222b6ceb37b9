#pragma once
// Scales part of a picture's pixels into a display buffer: each display pixel is the average of
// the picture pixels it covers, or the one it lies on where the picture is enlarged. Enough for
// showing a picture on the screen; the picture itself is resampled by rastkit.
#include <cstddef>

struct CPicScaleSource {
    const unsigned char* bytes = nullptr;
    std::ptrdiff_t stride = 0;  // bytes from one row to the next
    int bytesPerPixel = 0;
    int x = 0;                  // the part to show
    int y = 0;
    int width = 0;
    int height = 0;
};

struct CPicScaleTarget {
    unsigned char* bytes = nullptr;
    std::ptrdiff_t stride = 0;
    int width = 0;
    int height = 0;
};

class CPicScaler {
public:
    // Both sides keep the source's bytes per pixel. False when either side is empty.
    static bool Scale(const CPicScaleSource& source, const CPicScaleTarget& target);
};
