// Picture files through GDI+: 8-bit sources decoded to their colours and written again, each
// written file decoded again; extensions compared exactly; a failed save leaves the target alone;
// display pictures. (Round trips from 24- and 32-bit pictures run through the worker.)
#include "picture/tests/PicTestSupport.h"

#include <objidl.h>
#include <gdiplus.h>

#include "picture/CPictureIO.h"
#include "text/tests/CTempFolder.h"

using namespace pictest;

namespace {

CGdiplusSession g_gdiplus;

// Writes an 8-bit indexed file with GDI+ itself, as another program would have made it.
bool WriteIndexedFile(const std::u16string& path, const wchar_t* mime, int width, int height)
{
    using namespace Gdiplus;
    GpBitmap* bitmap = nullptr;
    if (DllExports::GdipCreateBitmapFromScan0(width, height, 0, PixelFormat8bppIndexed, nullptr, &bitmap) != Ok)
        return false;
    std::vector<unsigned char> block(sizeof(ColorPalette) + 256 * sizeof(ARGB));
    auto* palette = reinterpret_cast<ColorPalette*>(block.data());
    palette->Flags = 0;
    palette->Count = 256;
    for (UINT i = 0; i < 256; ++i)
        palette->Entries[i] = 0xFF000000u | ((i * 7 % 256) << 16) | ((255 - i) << 8) | (i / 2);
    DllExports::GdipSetImagePalette(bitmap, palette);
    GpRect all(0, 0, width, height);
    BitmapData data{};
    DllExports::GdipBitmapLockBits(bitmap, &all, ImageLockModeWrite, PixelFormat8bppIndexed, &data);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            static_cast<unsigned char*>(data.Scan0)[y * data.Stride + x] = static_cast<unsigned char>((x * 5 + y * 3) % 256);
    DllExports::GdipBitmapUnlockBits(bitmap, &data);
    UINT count = 0, bytes = 0;
    DllExports::GdipGetImageEncodersSize(&count, &bytes);
    std::vector<unsigned char> buffer(bytes);
    auto* codecs = reinterpret_cast<ImageCodecInfo*>(buffer.data());
    DllExports::GdipGetImageEncoders(count, bytes, codecs);
    GpStatus status = GenericError;
    for (UINT i = 0; i < count; ++i)
        if (wcscmp(codecs[i].MimeType, mime) == 0)
            status = DllExports::GdipSaveImageToFile(bitmap, reinterpret_cast<const wchar_t*>(path.c_str()), &codecs[i].Clsid, nullptr);
    DllExports::GdipDisposeImage(bitmap);
    return status == Ok;
}

}  // namespace

TEST(PicFileIO, EightBitSourcesDecodeToTheirColoursAndRoundTrip)
{
    ASSERT_TRUE(g_gdiplus.Started());
    CTempFolder folder;
    const std::pair<const char16_t*, const wchar_t*> sources[] = {
        {u"bmp", L"image/bmp"}, {u"png", L"image/png"}, {u"gif", L"image/gif"}, {u"tif", L"image/tiff"}};
    for (const auto& [ext, mime] : sources) {
        const std::u16string original = folder / (u"indexed." + std::u16string(ext));
        ASSERT_TRUE(WriteIndexedFile(original, mime, 30, 20));
        auto decoded = DecodeFile(original);
        ASSERT_NE(decoded, nullptr);
        EXPECT_EQ(decoded->BytesPerPixel(), 3);
        // Pixel (x, y) is palette entry (5x + 3y) mod 256, stored blue, green, red.
        const unsigned char* p = decoded->Bytes() + (std::size_t(7) * 30 + 4) * 3;
        const unsigned i = (4 * 5 + 7 * 3) % 256;
        EXPECT_EQ(p[2], (i * 7) % 256);
        EXPECT_EQ(p[1], 255 - i);
        EXPECT_EQ(p[0], i / 2);
        for (const char16_t* target : {u"bmp", u"png", u"tif"}) {
            const std::u16string copy = folder / (u"copy_" + std::u16string(ext) + u"." + target);
            ASSERT_EQ(CPicFileIO::Save(copy, *decoded, 100), CPicFileIO::Result::kDone);
            auto again = DecodeFile(copy);
            ASSERT_NE(again, nullptr);
            EXPECT_EQ(MaxDifference(*decoded, *again, 3), 0);
        }
    }
}

TEST(PicFileIO, ExtensionsAreComparedExactly)
{
    CTempFolder folder;
    auto picture = MakePicture(1, 8, 8, 3);
    for (const char16_t* name : {u"x.JPG", u"x.jpeg", u"x", u"x.txt", u"x.Png"}) {
        EXPECT_EQ(CPicFileIO::Save(folder / name, *picture, 90), CPicFileIO::Result::kFailed);
        EXPECT_FALSE(vel::platform::ReadAttributes(folder / name).exists);
    }
    EXPECT_EQ(vel::platform::ListMatching(folder.Path(), u"*").size(), 2u);  // "." and ".."
    EXPECT_EQ(CPicFileIO::MimeTypeFor(u"C:\\a.b\\x.tif"), u"image/tiff");
    EXPECT_EQ(CPicFileIO::MimeTypeFor(u"C:\\a.jpg\\x"), u"");
}

TEST(PicFileIO, BmpIgnoresTheQuality)
{
    CTempFolder folder;
    auto picture = MakePicture(1, 33, 17, 3);
    ASSERT_EQ(CPicFileIO::Save(folder / u"low.bmp", *picture, 10), CPicFileIO::Result::kDone);
    ASSERT_EQ(CPicFileIO::Save(folder / u"high.bmp", *picture, 100), CPicFileIO::Result::kDone);
    EXPECT_EQ(FileBytes(folder / u"low.bmp"), FileBytes(folder / u"high.bmp"));
}

TEST(PicFileIO, AFailedSaveLeavesTheTargetAsItWas)
{
    CTempFolder folder;
    auto picture = MakePicture(1, 16, 16, 3);
    // The target cannot be replaced: it is read-only.
    const std::u16string target = folder / u"keep.png";
    WriteBytes(target, "the user's picture");
    ASSERT_TRUE(vel::platform::ChangeAttributes(target, true, false));
    EXPECT_NE(CPicFileIO::Save(target, *picture, 90), CPicFileIO::Result::kDone);
    EXPECT_EQ(FileBytes(target), "the user's picture");
    // No folder to write into.
    EXPECT_NE(CPicFileIO::Save(folder / u"missing\\x.png", *picture, 90), CPicFileIO::Result::kDone);
    EXPECT_EQ(vel::platform::ListMatching(folder.Path(), u"*.tmp").size(), 0u);
    // Nothing to write.
    CPicData empty(Store(), 2, u"");
    EXPECT_EQ(CPicFileIO::Save(folder / u"empty.png", empty, 90), CPicFileIO::Result::kFailed);
}

TEST(PicFileIO, UndecodableFilesFail)
{
    CTempFolder folder;
    WriteBytes(folder / u"bad.jpg", "not a picture at all");
    CPicFileIO::Decoded decoded;
    EXPECT_EQ(CPicFileIO::Decode(folder / u"bad.jpg", Store(), decoded), CPicFileIO::Result::kFailed);
    EXPECT_EQ(CPicFileIO::Decode(folder / u"none.png", Store(), decoded), CPicFileIO::Result::kFailed);
    EXPECT_EQ(decoded.pixels, nullptr);
}

TEST(CPictureIO, DisplayPicturesFromFilesAndResources)
{
    CTempFolder folder;
    auto picture = MakePicture(1, 40, 30, 3);
    ASSERT_EQ(CPicFileIO::Save(folder / u"back.png", *picture, 90), CPicFileIO::Result::kDone);
    CPictureIO io;
    EXPECT_TRUE(io.Shown());
    EXPECT_FALSE(io.Stock());
    ASSERT_TRUE(io.Load(folder / u"back.png"));
    EXPECT_EQ(io.Size().cx, 40);
    EXPECT_EQ(io.Size().cy, 30);
    EXPECT_EQ(io.FileName(), folder / u"back.png");
    const HBITMAP first = io.Bitmap();
    EXPECT_TRUE(io.SetFile(folder / u"back.png"));
    EXPECT_EQ(io.Bitmap(), first);  // the same file is not decoded again
    HBITMAP copy = io.CopyBitmap();
    ASSERT_NE(copy, nullptr);
    DeleteObject(copy);

    WriteBytes(folder / u"bad.png", "no");
    EXPECT_FALSE(io.Load(folder / u"bad.png"));
    EXPECT_EQ(io.Bitmap(), first);  // a failed load keeps the picture before

    ASSERT_TRUE(io.LoadDefault(323));  // the built-in view background
    EXPECT_EQ(io.FileName(), u"");
    EXPECT_GT(io.Size().cx, 0);
    EXPECT_FALSE(io.LoadDefault(9999));
}
