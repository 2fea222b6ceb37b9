#include "picture/CPicTiffWriter.h"

#include <algorithm>

#include "platform/FileSystem.h"

namespace {

constexpr std::size_t kStripTarget = 64 * 1024;

enum Type : std::uint16_t { kShort = 3, kLong = 4, kRational = 5 };

struct Entry {
    std::uint16_t tag;
    std::uint16_t type;
    std::uint32_t count;
    std::uint32_t value;  // the value itself, or the offset of the values
};

void Put16(std::vector<std::uint8_t>& out, std::uint32_t v)
{
    out.push_back(static_cast<std::uint8_t>(v));
    out.push_back(static_cast<std::uint8_t>(v >> 8));
}

void Put32(std::vector<std::uint8_t>& out, std::uint32_t v)
{
    Put16(out, v & 0xFFFF);
    Put16(out, v >> 16);
}

}  // namespace

std::vector<std::uint8_t> CPicTiffWriter::Head(int width, int height, int bytesPerPixel, int& rowsPerStrip)
{
    const std::size_t rowBytes = std::size_t(width) * bytesPerPixel;
    rowsPerStrip = static_cast<int>(std::clamp<std::size_t>(kStripTarget / std::max<std::size_t>(rowBytes, 1), 1, height));
    const std::uint32_t strips = static_cast<std::uint32_t>((height + rowsPerStrip - 1) / rowsPerStrip);
    const bool colour = bytesPerPixel >= 3;

    std::vector<Entry> entries = {
        {254, kLong, 1, 0},
        {256, kLong, 1, static_cast<std::uint32_t>(width)},
        {257, kLong, 1, static_cast<std::uint32_t>(height)},
        {258, kShort, static_cast<std::uint32_t>(bytesPerPixel), 8},
        {259, kShort, 1, 1},                   // no compression
        {262, kShort, 1, colour ? 2u : 1u},    // RGB, or grey with black at 0
        {273, kLong, strips, 0},
        {277, kShort, 1, static_cast<std::uint32_t>(bytesPerPixel)},
        {278, kLong, 1, static_cast<std::uint32_t>(rowsPerStrip)},
        {279, kLong, strips, 0},
        {282, kRational, 1, 0},
        {283, kRational, 1, 0},
        {284, kShort, 1, 1},                   // pixels interleaved
        {296, kShort, 1, 2},                   // inches
    };
    if (bytesPerPixel == 4)
        entries.push_back({338, kShort, 1, 2});  // the fourth value is unassociated alpha

    // Layout: header (8), directory, then the arrays that do not fit in an entry, then strips.
    const std::uint32_t directory = 8;
    std::uint32_t next = directory + 2 + static_cast<std::uint32_t>(entries.size()) * 12 + 4;
    std::uint32_t bitsAt = 0;
    std::uint32_t offsetsAt = 0;
    std::uint32_t countsAt = 0;
    std::uint32_t resolutionAt = 0;
    if (bytesPerPixel > 2) {
        bitsAt = next;
        next += 2 * bytesPerPixel;
    }
    if (strips > 1) {
        offsetsAt = next;
        next += 4 * strips;
        countsAt = next;
        next += 4 * strips;
    }
    resolutionAt = next;
    next += 16;
    const std::uint32_t firstStrip = next;

    std::vector<std::uint8_t> out;
    out.reserve(firstStrip);
    out.push_back('I');
    out.push_back('I');
    Put16(out, 42);
    Put32(out, directory);
    Put16(out, static_cast<std::uint32_t>(entries.size()));
    const std::uint32_t stripBytes = static_cast<std::uint32_t>(rowBytes * rowsPerStrip);
    const std::uint32_t lastBytes = static_cast<std::uint32_t>(rowBytes * (height - std::size_t(rowsPerStrip) * (strips - 1)));
    for (Entry e : entries) {
        switch (e.tag) {
        case 258: if (bitsAt) e.value = bitsAt; break;
        case 273: e.value = strips > 1 ? offsetsAt : firstStrip; break;
        case 279: e.value = strips > 1 ? countsAt : lastBytes; break;
        case 282: e.value = resolutionAt; break;
        case 283: e.value = resolutionAt + 8; break;
        default: break;
        }
        Put16(out, e.tag);
        Put16(out, e.type);
        Put32(out, e.count);
        if (e.type == kShort && e.count == 1) {
            Put16(out, e.value);
            Put16(out, 0);
        } else {
            Put32(out, e.value);
        }
    }
    Put32(out, 0);  // no further directory
    if (bitsAt)
        for (int i = 0; i < bytesPerPixel; ++i)
            Put16(out, 8);
    if (strips > 1) {
        for (std::uint32_t s = 0; s < strips; ++s)
            Put32(out, firstStrip + s * stripBytes);
        for (std::uint32_t s = 0; s < strips; ++s)
            Put32(out, s + 1 < strips ? stripBytes : lastBytes);
    }
    for (int i = 0; i < 2; ++i) {  // 96 pixels per inch
        Put32(out, 96);
        Put32(out, 1);
    }
    return out;
}

bool CPicTiffWriter::Write(vel::platform::COutputFile& file, const CTypePicData<unsigned char>& picture)
{
    const int bpp = picture.BytesPerPixel();
    if (!picture.HasPixels() || (bpp != 1 && bpp != 3 && bpp != 4))
        return false;
    int rowsPerStrip = 1;
    const std::vector<std::uint8_t> head = Head(picture.Width(), picture.Height(), bpp, rowsPerStrip);
    if (!file.Write(head.data(), head.size()))
        return false;
    // Rows go out as red, green, blue (and alpha): the picture holds blue first.
    const std::size_t rowBytes = std::size_t(picture.Width()) * bpp;
    std::vector<std::uint8_t> strip(rowBytes * rowsPerStrip);
    for (int y = 0; y < picture.Height(); y += rowsPerStrip) {
        const int rows = std::min(rowsPerStrip, picture.Height() - y);
        const std::uint8_t* source = picture.Bytes() + std::size_t(y) * rowBytes;
        const std::size_t bytes = rowBytes * rows;
        std::copy(source, source + bytes, strip.begin());
        if (bpp >= 3)
            for (std::size_t i = 0; i < bytes; i += bpp)
                std::swap(strip[i], strip[i + 2]);
        if (!file.Write(strip.data(), bytes))
            return false;
    }
    return file.Commit();
}
