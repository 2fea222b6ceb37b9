#pragma once
// Picture files through GDI+: any BMP, JPEG, PNG, TIFF or GIF decoded into pixels for a picture,
// and a picture encoded by its file name's extension ("jpg", "bmp", "png", "tif", "gif", compared
// exactly). A saved file is written beside its target, decoded again, and only then put in the
// target's place, so a file that holds a picture is never left half written or replaced by one
// that cannot be read. Needs a CGdiplusSession alive in the process.
#include <memory>
#include <string>

#include "picture/CTypePicData.h"

class CVMemList;

class CPicFileIO {
public:
    enum class Result { kDone, kFailed, kNoMemory };

    struct Decoded {
        std::shared_ptr<CPixelBuffer> pixels;
        int bytesPerPixel = 0;  // 3 (B, G, R), or 4 (B, G, R, A) when the file has transparency
        int width = 0;
        int height = 0;
    };

    // The pixels come from store; rows top to bottom, unpadded.
    static Result Decode(const std::u16string& path, CVMemList& store, Decoded& out);
    // The whole picture; quality 0–100 where the format has one ("bmp" always writes 100).
    static Result Save(const std::u16string& path, const CTypePicData<unsigned char>& picture, int quality);
    // The MIME type for the file name's extension; empty for any other.
    static std::u16string MimeTypeFor(const std::u16string& path);
    // Size of the picture a file holds, read by decoding it; false when it cannot be decoded.
    static bool ReadSize(const std::u16string& path, int& width, int& height);
};
