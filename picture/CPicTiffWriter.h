#pragma once
// Baseline TIFF written directly: uncompressed 8-bit RGB (with unassociated alpha for four bytes
// per pixel, BlackIsZero grey for one) in strips of about 64 KiB. The picture worker writes
// every working copy as TIFF, and the platform's TIFF encoder under Wine keeps the whole image
// in memory after each save, which a memo of many large pictures cannot afford.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "picture/CTypePicData.h"

namespace vel::platform {
class COutputFile;
}

class CPicTiffWriter {
public:
    // False when the picture has no pixels or a write failed.
    static bool Write(vel::platform::COutputFile& file, const CTypePicData<unsigned char>& picture);
    // The bytes before the first strip: header, directory and its value arrays.
    static std::vector<std::uint8_t> Head(int width, int height, int bytesPerPixel, int& rowsPerStrip);
};
