// The program links rastkit's import library and calls the functions through rastkit.h.
#include "rastkit/rastkit.h"

#include <gtest/gtest.h>

#include <vector>

TEST(RastkitLink, ImportLibraryReachesTheExports)
{
    ASSERT_EQ(CreateBasePicture(11), 0);
    EXPECT_EQ(SetPixcelOffset(11, 0, 1, 300, 200, 300), 0);
    EXPECT_EQ(SetColorOffset(11, 0, 0), 0);
    std::vector<unsigned char> bytes(300 * 200, 7);
    EXPECT_EQ(LoadPicImage(11, int(bytes.size()), bytes.data()), 0);
    const int layer = CreateLayer(11, 0, 0, 0, 200, 300);
    EXPECT_EQ(layer, 0x10000B);
    EXPECT_EQ(GetRotateSize(11, layer, 90), (300LL << 32) | 200);
    EXPECT_EQ(DestroyBasePicture(11), 0);
}
