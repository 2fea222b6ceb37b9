#include "picture/CPicFileIO.h"

#include <windows.h>
#include <objidl.h>
#include <gdiplus.h>

#include <cstring>
#include <new>
#include <vector>

#include "app/CFileName.h"
#include "picture/CPicTiffWriter.h"
#include "platform/FileSystem.h"

namespace {

using namespace Gdiplus;
namespace Flat = Gdiplus::DllExports;

// The published encoder parameter ids (gdiplusimaging.h), spelled out so that no GUID library
// is needed.
constexpr GUID kEncoderQuality = {0x1d5be4b5, 0xfa4a, 0x452d, {0x9c, 0xdd, 0x5d, 0xb3, 0x51, 0x05, 0xe7, 0xeb}};
constexpr GUID kEncoderColorDepth = {0x66087055, 0xad66, 0x4c7c, {0x9a, 0x18, 0x38, 0xa2, 0x31, 0x0b, 0x83, 0x37}};
constexpr GUID kEncoderCompression = {0xe09d739d, 0xccd4, 0x44ee, {0x8e, 0xba, 0x3f, 0xbf, 0x8b, 0xe4, 0xfc, 0x58}};
constexpr LONG kCompressionNone = 6;
constexpr int kTempAttempts = 100;

struct Format {
    const char16_t* ext;
    const wchar_t* mime;
    bool fixedParameters;  // bmp: quality 100, 32-bit colour, no compression
};
constexpr Format kFormats[] = {
    {u"bmp", L"image/bmp", true},  {u"jpg", L"image/jpeg", false}, {u"png", L"image/png", false},
    {u"tif", L"image/tiff", false}, {u"gif", L"image/gif", false},
};

const Format* FormatOf(const std::u16string& path)
{
    const std::u16string ext = CFileName::Extension(CFileName::FileName(path));
    for (const Format& format : kFormats)
        if (ext == format.ext)
            return &format;
    return nullptr;
}

const wchar_t* W(const std::u16string& s)
{
    return reinterpret_cast<const wchar_t*>(s.c_str());
}

struct BitmapDeleter {
    void operator()(GpBitmap* bitmap) const { Flat::GdipDisposeImage(bitmap); }
};
using GpBitmapPtr = std::unique_ptr<GpBitmap, BitmapDeleter>;

GpBitmapPtr Open(const std::u16string& path)
{
    GpBitmap* bitmap = nullptr;
    if (Flat::GdipCreateBitmapFromFile(W(path), &bitmap) != Ok)
        return nullptr;
    return GpBitmapPtr(bitmap);
}

bool FindEncoder(const wchar_t* mime, CLSID& clsid)
{
    UINT count = 0;
    UINT bytes = 0;
    if (Flat::GdipGetImageEncodersSize(&count, &bytes) != Ok || count == 0 || bytes == 0)
        return false;
    std::vector<unsigned char> buffer(bytes);
    auto* encoders = reinterpret_cast<ImageCodecInfo*>(buffer.data());
    if (Flat::GdipGetImageEncoders(count, bytes, encoders) != Ok)
        return false;
    for (UINT i = 0; i < count; ++i) {
        if (encoders[i].MimeType && wcscmp(encoders[i].MimeType, mime) == 0) {
            clsid = encoders[i].Clsid;
            return true;
        }
    }
    return false;
}

// Three parameters at most, laid out as EncoderParameters is.
struct Parameters {
    UINT Count = 0;
    EncoderParameter Parameter[3];
};

void AddLong(Parameters& parameters, const GUID& id, LONG* value)
{
    EncoderParameter& p = parameters.Parameter[parameters.Count++];
    p.Guid = id;
    p.NumberOfValues = 1;
    p.Type = EncoderParameterValueTypeLong;
    p.Value = value;
}

// A GDI+ bitmap over the picture's bytes; rows not a multiple of four bytes long are copied
// into one of GDI+'s own.
GpBitmapPtr FromPixels(const CTypePicData<unsigned char>& picture)
{
    const int bpp = picture.BytesPerPixel();
    const int width = picture.Width();
    const int height = picture.Height();
    const PixelFormat format = bpp == 4 ? PixelFormat32bppARGB : bpp == 3 ? PixelFormat24bppRGB : PixelFormat8bppIndexed;
    if ((bpp != 1 && bpp != 3 && bpp != 4) || !picture.HasPixels())
        return nullptr;
    const INT stride = bpp * width;
    GpBitmap* bitmap = nullptr;
    if (stride % 4 == 0) {
        if (Flat::GdipCreateBitmapFromScan0(width, height, stride, format, picture.Bytes(), &bitmap) != Ok)
            return nullptr;
    } else {
        if (Flat::GdipCreateBitmapFromScan0(width, height, 0, format, nullptr, &bitmap) != Ok)
            return nullptr;
        GpBitmapPtr owned(bitmap);
        GpRect all(0, 0, width, height);
        BitmapData data{};
        if (Flat::GdipBitmapLockBits(bitmap, &all, ImageLockModeWrite, format, &data) != Ok)
            return nullptr;
        for (int y = 0; y < height; ++y)
            std::memcpy(static_cast<unsigned char*>(data.Scan0) + std::ptrdiff_t(y) * data.Stride,
                        picture.Bytes() + std::ptrdiff_t(y) * stride, static_cast<std::size_t>(stride));
        Flat::GdipBitmapUnlockBits(bitmap, &data);
        bitmap = owned.release();
    }
    GpBitmapPtr result(bitmap);
    if (bpp == 1) {
        // One byte per pixel is grey: entry i is (i, i, i).
        std::vector<unsigned char> block(sizeof(ColorPalette) + 256 * sizeof(ARGB));
        auto* p = reinterpret_cast<ColorPalette*>(block.data());
        p->Flags = PaletteFlagsGrayScale;
        p->Count = 256;
        for (UINT i = 0; i < 256; ++i)
            p->Entries[i] = 0xFF000000u | (i << 16) | (i << 8) | i;
        Flat::GdipSetImagePalette(result.get(), p);
    }
    return result;
}

// Formats that cannot take the pixels as they are get a converted copy: GIF needs 8-bit indexed
// pixels (writing it from 24 or 32 bits can report success over a corrupt file), JPEG has no
// transparency.
GpBitmapPtr ConvertedFor(const Format& format, GpBitmap* bitmap, int width, int height, int bpp)
{
    PixelFormat target = 0;
    if (std::u16string(format.ext) == u"gif" && bpp != 1)
        target = PixelFormat8bppIndexed;
    else if (std::u16string(format.ext) == u"jpg" && bpp == 4)
        target = PixelFormat24bppRGB;
    if (target == 0)
        return nullptr;
    GpBitmap* converted = nullptr;
    if (Flat::GdipCloneBitmapAreaI(0, 0, width, height, target, bitmap, &converted) != Ok)
        return nullptr;
    return GpBitmapPtr(converted);
}

std::u16string TempNameFor(const std::u16string& path, int attempt)
{
    const std::string n = std::to_string(attempt);
    return path + u".~" + std::u16string(n.begin(), n.end()) + u".tmp";
}

}  // namespace

std::u16string CPicFileIO::MimeTypeFor(const std::u16string& path)
{
    const Format* format = FormatOf(path);
    if (!format)
        return {};
    const std::wstring mime = format->mime;
    return std::u16string(mime.begin(), mime.end());
}

CPicFileIO::Result CPicFileIO::Decode(const std::u16string& path, CVMemList& store, Decoded& out)
{
    GpBitmapPtr bitmap = Open(path);
    if (!bitmap)
        return Result::kFailed;
    UINT width = 0;
    UINT height = 0;
    PixelFormat format = 0;
    if (Flat::GdipGetImageWidth(bitmap.get(), &width) != Ok || Flat::GdipGetImageHeight(bitmap.get(), &height) != Ok ||
        Flat::GdipGetImagePixelFormat(bitmap.get(), &format) != Ok || width == 0 || height == 0)
        return Result::kFailed;
    bool alpha = (format & (PixelFormatAlpha | PixelFormatPAlpha)) != 0;
    if (!alpha && (format & PixelFormatIndexed) != 0) {
        UINT flags = 0;
        INT size = 0;
        if (Flat::GdipGetImagePaletteSize(bitmap.get(), &size) == Ok && size > 0) {
            std::vector<unsigned char> block(static_cast<std::size_t>(size));
            auto* palette = reinterpret_cast<ColorPalette*>(block.data());
            if (Flat::GdipGetImagePalette(bitmap.get(), palette, size) == Ok)
                flags = palette->Flags;
        }
        alpha = (flags & PaletteFlagsHasAlpha) != 0;
    }
    const int bpp = alpha ? 4 : 3;
    const std::size_t rowBytes = std::size_t(bpp) * width;
    const std::size_t size = CTypePicData<unsigned char>::BytesFor(bpp, static_cast<int>(width), static_cast<int>(height));
    if (size == 0)
        return Result::kNoMemory;
    std::shared_ptr<CPixelBuffer> pixels = CPixelBuffer::Make(store, size);
    if (!pixels)
        return Result::kNoMemory;
    GpRect all(0, 0, static_cast<INT>(width), static_cast<INT>(height));
    BitmapData data{};
    const GpStatus locked = Flat::GdipBitmapLockBits(bitmap.get(), &all, ImageLockModeRead,
                                                     alpha ? PixelFormat32bppARGB : PixelFormat24bppRGB, &data);
    if (locked != Ok)
        return locked == OutOfMemory ? Result::kNoMemory : Result::kFailed;
    for (UINT y = 0; y < height; ++y)
        std::memcpy(pixels->Data() + y * rowBytes, static_cast<const unsigned char*>(data.Scan0) + std::ptrdiff_t(y) * data.Stride,
                    rowBytes);
    Flat::GdipBitmapUnlockBits(bitmap.get(), &data);
    out.pixels = std::move(pixels);
    out.bytesPerPixel = bpp;
    out.width = static_cast<int>(width);
    out.height = static_cast<int>(height);
    return Result::kDone;
}

bool CPicFileIO::ReadSize(const std::u16string& path, int& width, int& height)
{
    GpBitmapPtr bitmap = Open(path);
    UINT w = 0;
    UINT h = 0;
    if (!bitmap || Flat::GdipGetImageWidth(bitmap.get(), &w) != Ok || Flat::GdipGetImageHeight(bitmap.get(), &h) != Ok)
        return false;
    width = static_cast<int>(w);
    height = static_cast<int>(h);
    return true;
}

namespace {

// Writes the picture into the fresh file temp, through GDI+'s encoder for the format.
GpStatus Encode(const Format& format, const CTypePicData<unsigned char>& picture, const std::u16string& temp, int quality)
{
    CLSID encoder{};
    if (!FindEncoder(format.mime, encoder))
        return UnknownImageFormat;
    GpBitmapPtr bitmap = FromPixels(picture);
    if (!bitmap)
        return OutOfMemory;
    GpBitmapPtr converted = ConvertedFor(format, bitmap.get(), picture.Width(), picture.Height(), picture.BytesPerPixel());
    LONG qualityValue = format.fixedParameters ? 100 : quality;
    LONG depthValue = 32;
    LONG compressionValue = kCompressionNone;
    Parameters parameters;
    AddLong(parameters, kEncoderQuality, &qualityValue);
    if (format.fixedParameters) {
        AddLong(parameters, kEncoderColorDepth, &depthValue);
        AddLong(parameters, kEncoderCompression, &compressionValue);
    }
    return Flat::GdipSaveImageToFile(converted ? converted.get() : bitmap.get(), W(temp), &encoder,
                                     reinterpret_cast<const EncoderParameters*>(&parameters));
}

}  // namespace

CPicFileIO::Result CPicFileIO::Save(const std::u16string& path, const CTypePicData<unsigned char>& picture, int quality)
{
    const Format* format = FormatOf(path);
    if (!format || !picture.HasPixels())
        return Result::kFailed;
    // A read-only file is one the user keeps as it is; not every system refuses to replace it.
    const vel::platform::FileAttributes target = vel::platform::ReadAttributes(path);
    if (target.exists && (target.readOnly || target.directory || target.system))
        return Result::kFailed;

    std::u16string temp;
    std::unique_ptr<vel::platform::COutputFile> file;
    for (int attempt = 1; attempt <= kTempAttempts && !file; ++attempt) {
        temp = TempNameFor(path, attempt);
        file = vel::platform::CreateNewFile(temp);
    }
    if (!file)
        return Result::kFailed;
    GpStatus saved = Ok;
    if (std::u16string(format->ext) == u"tif") {
        // TIFF is written by our own writer: the platform's encoder under Wine keeps every image
        // it wrote in memory for the rest of the run.
        saved = CPicTiffWriter::Write(*file, picture) ? Ok : Win32Error;
        file.reset();
    } else {
        file.reset();
        saved = Encode(*format, picture, temp, quality);
    }
    int width = 0;
    int height = 0;
    const bool readable = saved == Ok && ReadSize(temp, width, height) && width == picture.Width() &&
                          height == picture.Height();
    if (!readable || !vel::platform::ReplaceWith(temp, path)) {
        vel::platform::RemoveFile(temp);
        return saved == OutOfMemory ? Result::kNoMemory : Result::kFailed;
    }
    return Result::kDone;
}
