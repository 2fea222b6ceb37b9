// The TIFF writer's layout: header, directory entries where readers look for them, strips that
// cover every row in red-green-blue order. (Decoding by the platform is tested under Wine.)
#include "picture/CPicTiffWriter.h"

#include "picture/CPicData.h"
#include "platform/FileSystem.h"
#include "vmem/CVMemList.h"

#include <gtest/gtest.h>

#include <array>
#include <cstring>
#include <map>
#include <string>

namespace {

class MemoryFile : public vel::platform::COutputFile {
public:
    std::string bytes;
    bool committed = false;
    bool Write(const void* data, std::size_t size) override
    {
        bytes.append(static_cast<const char*>(data), size);
        return true;
    }
    bool Commit() override { return committed = true; }
};

std::uint32_t U16(const std::string& b, std::size_t at)
{
    return std::uint8_t(b[at]) | std::uint8_t(b[at + 1]) << 8;
}

std::uint32_t U32(const std::string& b, std::size_t at)
{
    return U16(b, at) | U16(b, at + 2) << 16;
}

// Tag → (type, count, value or offset).
std::map<std::uint32_t, std::array<std::uint32_t, 3>> Directory(const std::string& b)
{
    std::map<std::uint32_t, std::array<std::uint32_t, 3>> tags;
    const std::uint32_t at = U32(b, 4);
    const std::uint32_t count = U16(b, at);
    for (std::uint32_t i = 0; i < count; ++i) {
        const std::size_t e = at + 2 + i * 12;
        const std::uint32_t type = U16(b, e + 2);
        tags[U16(b, e)] = {type, U32(b, e + 4), type == 3 && U32(b, e + 4) == 1 ? U16(b, e + 8) : U32(b, e + 8)};
    }
    return tags;
}

}  // namespace

TEST(CPicTiffWriter, LargePicturesGoInStripsThatCoverEveryRow)
{
    CVMemList store(1 << 22);
    CPicData picture(store, 1, u"");
    ASSERT_TRUE(picture.SetPixels(4, 301, 200));  // 1204-byte rows: 54 rows a strip, 4 strips
    for (std::size_t i = 0; i < picture.SizeInBytes(); ++i)
        picture.Bytes()[i] = static_cast<unsigned char>(i % 251);
    MemoryFile file;
    ASSERT_TRUE(CPicTiffWriter::Write(file, picture));
    EXPECT_TRUE(file.committed);
    EXPECT_EQ(file.bytes.substr(0, 4), std::string("II*\0", 4));
    auto tags = Directory(file.bytes);
    EXPECT_EQ(tags[256][2], 301u);
    EXPECT_EQ(tags[257][2], 200u);
    EXPECT_EQ(tags[259][2], 1u);  // uncompressed
    EXPECT_EQ(tags[262][2], 2u);  // RGB
    EXPECT_EQ(tags[277][2], 4u);
    EXPECT_EQ(tags[338][2], 2u);  // unassociated alpha
    const std::uint32_t strips = tags[273][1];
    EXPECT_EQ(strips, 4u);
    std::uint32_t total = 0;
    for (std::uint32_t s = 0; s < strips; ++s) {
        const std::uint32_t offset = U32(file.bytes, tags[273][2] + 4 * s);
        const std::uint32_t size = U32(file.bytes, tags[279][2] + 4 * s);
        EXPECT_EQ(offset, U32(file.bytes, tags[273][2]) + total);
        total += size;
    }
    EXPECT_EQ(total, 301u * 200 * 4);
    EXPECT_EQ(file.bytes.size(), U32(file.bytes, tags[273][2]) + total);
    EXPECT_EQ(tags[278][2], 54u);
    // Blue, green, red, alpha in the picture; red, green, blue, alpha in the file.
    const std::uint32_t first = U32(file.bytes, tags[273][2]);
    EXPECT_EQ(std::uint8_t(file.bytes[first]), 2);
    EXPECT_EQ(std::uint8_t(file.bytes[first + 2]), 0);
    EXPECT_EQ(std::uint8_t(file.bytes[first + 3]), 3);

    CPicData empty(store, 2, u"");
    MemoryFile none;
    EXPECT_FALSE(CPicTiffWriter::Write(none, empty));
}
