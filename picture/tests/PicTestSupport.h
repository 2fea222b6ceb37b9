#pragma once
#include "picture/tests/PicDocSetup.h"
// Pictures for the window-side tests: patterned pixels, comparing decoded files with what was
// saved, and GDI+ running for the whole test program.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "picture/CGdiplusSession.h"
#include "picture/CPicData.h"
#include "picture/CPicFileIO.h"
#include "platform/FileSystem.h"
#include "doc/CDocList.h"
#include "text/CFixedCharMeasurer.h"
#include "vmem/CVMemList.h"

namespace pictest {

inline CVMemList& Store()
{
    static CVMemList store(1 << 26);
    return store;
}

// A smooth pattern (so that JPEG keeps it closely), different in every channel; channel 3, when
// there is one, is a gradient of transparency.
inline unsigned char Pattern(int x, int y, int c)
{
    switch (c) {
    case 0: return static_cast<unsigned char>(x * 255 / 63);
    case 1: return static_cast<unsigned char>(y * 255 / 47);
    case 2: return static_cast<unsigned char>(128 + (x - y) * 2);
    default: return static_cast<unsigned char>(128 + x);
    }
}

inline std::unique_ptr<CPicData> MakePicture(int id, int width, int height, int bpp,
                                             unsigned char (*pattern)(int, int, int) = Pattern)
{
    auto picture = std::make_unique<CPicData>(Store(), id, u"");
    EXPECT_TRUE(picture->SetPixels(bpp, width, height));
    unsigned char* p = picture->Bytes();
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            for (int c = 0; c < bpp; ++c)
                *p++ = pattern(x, y, c);
    return picture;
}

// Largest difference of any value between two pictures of the same layout; 256 when the sizes
// differ.
inline int MaxDifference(const CTypePicData<unsigned char>& a, const CTypePicData<unsigned char>& b, int channels)
{
    if (a.Width() != b.Width() || a.Height() != b.Height())
        return 256;
    int worst = 0;
    for (int y = 0; y < a.Height(); ++y)
        for (int x = 0; x < a.Width(); ++x)
            for (int c = 0; c < channels; ++c) {
                const int va = a.Bytes()[(std::size_t(y) * a.Width() + x) * a.BytesPerPixel() + c];
                const int vb = b.Bytes()[(std::size_t(y) * b.Width() + x) * b.BytesPerPixel() + c];
                worst = std::max(worst, std::abs(va - vb));
            }
    return worst;
}

inline std::unique_ptr<CPicData> DecodeFile(const std::u16string& path)
{
    CPicFileIO::Decoded decoded;
    if (CPicFileIO::Decode(path, Store(), decoded) != CPicFileIO::Result::kDone)
        return nullptr;
    auto picture = std::make_unique<CPicData>(Store(), 0, path);
    picture->Adopt(decoded.pixels, decoded.bytesPerPixel, decoded.width, decoded.height);
    return picture;
}

inline std::string FileBytes(const std::u16string& path)
{
    std::vector<std::uint8_t> bytes;
    if (!vel::platform::ReadWholeFile(path, bytes))
        return {};
    return std::string(bytes.begin(), bytes.end());
}

inline void WriteBytes(const std::u16string& path, const std::string& bytes)
{
    vel::platform::RemoveFile(path);
    auto file = vel::platform::CreateNewFile(path);
    ASSERT_TRUE(file);
    ASSERT_TRUE(file->Write(bytes.data(), bytes.size()));
    ASSERT_TRUE(file->Commit());
}


inline void Pump()
{
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

}  // namespace pictest
