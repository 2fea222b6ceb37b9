// Loads rastkit.dll the way the program does: by file name and by the exact decorated export
// names, then drives a picture through the program's calling order.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace {

#define RASTKIT_EXPORTS(X)                                                                              \
    X(CreateBasePicture, 4, int, (int))                                                                 \
    X(DestroyBasePicture, 4, int, (int))                                                                \
    X(GetXPixcels, 4, int, (int))                                                                       \
    X(GetYPixcels, 4, int, (int))                                                                       \
    X(GetColors, 4, int, (int))                                                                         \
    X(SetPixcelOffset, 24, int, (int, int, int, int, int, int))                                         \
    X(SetColorOffset, 12, int, (int, int, int))                                                         \
    X(LoadPicImage, 12, int, (int, int, const void*))                                                   \
    X(AllocateLayer, 24, int, (int, int, int, int, int, int))                                           \
    X(CreateLayer, 24, int, (int, int, int, int, int, int))                                             \
    X(CreateCopyLayer, 4, int, (int))                                                                   \
    X(SetSelectLayer, 4, int, (int))                                                                    \
    X(GetSelectLayer, 4, int, (int))                                                                    \
    X(ReLoadLayer, 4, int, (int))                                                                       \
    X(CompositeLayer, 4, int, (int))                                                                    \
    X(ResizeCompositeLayer, 12, int, (int, int, int))                                                   \
    X(DestroyLayer, 4, int, (int))                                                                      \
    X(StorePicImage, 12, int, (int, int, void*))                                                        \
    X(ChangeColor, 8, int, (int, int))                                                                  \
    X(FilterImage, 20, int, (int, int, int, int, const int*))                                           \
    X(DivImage, 12, int, (int, int, int))                                                               \
    X(HilightShadow, 24, int, (int, int, int, int, int, int))                                           \
    X(ShiftColor, 12, int, (int, int, int))                                                             \
    X(GetColorProFile, 24, int, (int, int, int, int, int, int*))                                        \
    X(GetColorsProFile, 40, int, (int, int, int, int, int, int, int, int, int, int*))                   \
    X(CutImage, 20, int, (int, int, int, int, int))                                                     \
    X(CopyNearest, 12, int, (int, int, int))                                                            \
    X(CopyByLinear, 12, int, (int, int, int))                                                           \
    X(CopyBicubic, 12, int, (int, int, int))                                                            \
    X(CopyPixcelAverage, 12, int, (int, int, int))                                                      \
    X(CopyRotate90, 12, int, (int, int, int))                                                           \
    X(CopyRotate270, 12, int, (int, int, int))                                                          \
    X(GetRotateSize, 12, long long, (int, int, int))                                                    \
    X(CopyRotate, 16, int, (int, int, int, int))

struct SRastkit {
#define DECLARE(name, bytes, result, args) result(WINAPI* name) args = nullptr;
    RASTKIT_EXPORTS(DECLARE)
#undef DECLARE
    HMODULE module = nullptr;
    int missing = 0;

    SRastkit()
    {
        module = LoadLibraryW(L"rastkit.dll");
        if (!module)
            return;
#define RESOLVE(name, bytes, result, args)                                                              \
    name = reinterpret_cast<decltype(name)>(                                                            \
        reinterpret_cast<void (*)()>(GetProcAddress(module, "_" #name "@" #bytes)));                    \
    missing += name ? 0 : 1;
        RASTKIT_EXPORTS(RESOLVE)
#undef RESOLVE
    }
    ~SRastkit()
    {
        if (module)
            FreeLibrary(module);
    }
    SRastkit(const SRastkit&) = delete;
    SRastkit& operator=(const SRastkit&) = delete;
};

std::vector<std::uint8_t> Gradient(int width, int height)
{
    std::vector<std::uint8_t> bytes(std::size_t(width) * height * 3);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            std::uint8_t* p = &bytes[(std::size_t(y) * width + x) * 3];
            p[0] = std::uint8_t(x * 255 / (width - 1));
            p[1] = std::uint8_t(y * 255 / (height - 1));
            p[2] = std::uint8_t((x * 7 + y * 13) & 255);
        }
    return bytes;
}

class RastkitDll : public testing::Test {
protected:
    SRastkit rk;

    void SetUp() override
    {
        ASSERT_NE(rk.module, nullptr);
        ASSERT_EQ(rk.missing, 0);
    }

    // create, pixel offset, colour offsets, load, full-size layer: the program's first steps.
    int Open(int id, int width, int height, const std::vector<std::uint8_t>& bytes)
    {
        EXPECT_EQ(rk.CreateBasePicture(id), 0);
        EXPECT_EQ(rk.SetPixcelOffset(id, 0, 3, 3 * width, height, width), 0);
        for (int c = 0; c < 3; ++c)
            EXPECT_EQ(rk.SetColorOffset(id, c, c), 0);
        EXPECT_EQ(rk.LoadPicImage(id, int(bytes.size()), bytes.data()), 0);
        return rk.CreateLayer(id, 0, 0, 0, height, width);
    }

    std::vector<std::uint8_t> Store(int id)
    {
        std::vector<std::uint8_t> out(std::size_t(rk.GetXPixcels(id)) * rk.GetYPixcels(id) * rk.GetColors(id));
        EXPECT_EQ(rk.StorePicImage(id, int(out.size()), out.data()), 0);
        return out;
    }
};

TEST_F(RastkitDll, ResizeAndStoreInTheProgramsOrder)
{
    const auto bytes = Gradient(40, 30);
    const int layer = Open(5, 40, 30, bytes);
    ASSERT_EQ(layer, 0x100005);
    EXPECT_EQ(rk.GetSelectLayer(5), layer);
    const int target = rk.AllocateLayer(5, 0, 0, 0, 15, 20);
    ASSERT_EQ(target, 0x200005);
    EXPECT_EQ(rk.CopyBicubic(5, target, layer), 0);
    EXPECT_EQ(rk.GetSelectLayer(5), target);
    EXPECT_EQ(rk.ResizeCompositeLayer(target, 15, 20), 0);
    EXPECT_EQ(rk.GetXPixcels(5), 20);
    EXPECT_EQ(rk.GetYPixcels(5), 15);
    const auto small = Store(5);
    ASSERT_EQ(small.size(), 20u * 15 * 3);
    // The gradient stays a gradient: red grows across, green down.
    EXPECT_LT(small[0], small[19 * 3]);
    EXPECT_LT(small[1], small[(14 * 20) * 3 + 1]);
    EXPECT_EQ(rk.DestroyLayer(5), 0);
    EXPECT_EQ(rk.DestroyBasePicture(5), 0);
    EXPECT_EQ(rk.GetXPixcels(5), 0);
}

TEST_F(RastkitDll, NearestAndQuarterTurnsAreExact)
{
    const std::vector<std::uint8_t> four = {10, 11, 12, 20, 21, 22, 30, 31, 32, 40, 41, 42};
    const int layer = Open(1, 2, 2, four);
    const int big = rk.AllocateLayer(1, 0, 0, 0, 4, 4);
    EXPECT_EQ(rk.CopyNearest(1, big, layer), 0);
    EXPECT_EQ(rk.ResizeCompositeLayer(big, 4, 4), 0);
    const auto out = Store(1);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 4; ++x)
            EXPECT_EQ(out[(y * 4 + x) * 3], four[((y / 2) * 2 + x / 2) * 3]);

    const auto bytes = Gradient(7, 5);
    const int a = Open(2, 7, 5, bytes);
    const int b = rk.AllocateLayer(2, 0, 0, 0, 7, 5);
    const int c = rk.AllocateLayer(2, 0, 0, 0, 5, 7);
    EXPECT_EQ(rk.CopyRotate90(2, c, a), -1);
    EXPECT_EQ(rk.CopyRotate90(2, b, a), 0);
    EXPECT_EQ(rk.CopyRotate270(2, c, b), 0);
    EXPECT_EQ(rk.CompositeLayer(c), 0);
    EXPECT_EQ(Store(2), bytes);
    EXPECT_EQ(rk.DestroyBasePicture(1), 0);
    EXPECT_EQ(rk.DestroyBasePicture(2), 0);
}

TEST_F(RastkitDll, RotateSizeComesBackAsOneSixtyFourBitValue)
{
    const int layer = Open(3, 400, 200, std::vector<std::uint8_t>(400 * 200 * 3, 50));
    EXPECT_EQ(rk.GetRotateSize(3, layer, 90), (400LL << 32) | 200);
    EXPECT_EQ(rk.GetRotateSize(3, layer, 45), (424LL << 32) | 424);
    EXPECT_EQ(rk.GetRotateSize(3, 0x900003, 45), 0);
    const int turned = rk.AllocateLayer(3, 0, 0, 0, 424, 424);
    EXPECT_EQ(rk.CopyRotate(3, turned, layer, 45), 0);
    EXPECT_EQ(rk.GetRotateSize(3, turned, 0), (424LL << 32) | 424);
    EXPECT_EQ(rk.DestroyBasePicture(3), 0);
}

TEST_F(RastkitDll, ColourOperationsAndRefusals)
{
    const auto bytes = Gradient(16, 16);
    const int layer = Open(4, 16, 16, bytes);
    const int sharpen[9] = {0, -1, 0, -1, 5, -1, 0, -1, 0};
    EXPECT_EQ(rk.ChangeColor(layer, 1), 0);
    EXPECT_EQ(rk.FilterImage(layer, 0, 3, 3, sharpen), 0);
    EXPECT_EQ(rk.FilterImage(layer, 0, 3, 3, nullptr), 0);
    EXPECT_EQ(rk.ChangeColor(layer, 0), 0);
    EXPECT_EQ(rk.DivImage(layer, 0, 0), -1);
    EXPECT_EQ(rk.HilightShadow(layer, 1, 255, 0, 255, 0), 0);
    EXPECT_EQ(rk.ShiftColor(layer, 2, 10), 0);
    std::vector<int> bins(256, -1);
    EXPECT_EQ(rk.GetColorProFile(layer, 1, 255, 0, 256, bins.data()), 0);
    int total = 0;
    for (int n : bins)
        total += n;
    EXPECT_EQ(total, 256);
    EXPECT_EQ(rk.GetColorProFile(layer, 1, 255, 0, 1, bins.data()), -1);
    std::vector<int> joint(16, -1);
    EXPECT_EQ(rk.GetColorsProFile(layer, 0, 256, 0, 1, 256, 0, 4, 4, joint.data()), 0);
    const int part = rk.AllocateLayer(4, 0, 0, 0, 4, 4);
    EXPECT_EQ(rk.CutImage(4, part, layer, 14, 0), -1);
    EXPECT_EQ(rk.CutImage(4, part, layer, 2, 3), 0);
    EXPECT_EQ(rk.CreateCopyLayer(part), 0x300004);
    EXPECT_EQ(rk.SetSelectLayer(4), 0);
    EXPECT_EQ(rk.SetSelectLayer(part), part);
    EXPECT_EQ(rk.ReLoadLayer(4), 0);
    EXPECT_EQ(rk.CompositeLayer(4), 0);
    // A wrong byte count neither loads nor stores anything.
    std::vector<std::uint8_t> wrong(10, 0xAB);
    EXPECT_EQ(rk.LoadPicImage(4, 10, wrong.data()), 0);
    EXPECT_EQ(rk.StorePicImage(4, 10, wrong.data()), 0);
    EXPECT_EQ(wrong, std::vector<std::uint8_t>(10, 0xAB));
    EXPECT_EQ(rk.CopyPixcelAverage(4, layer, part), -1);
    EXPECT_EQ(rk.CopyByLinear(4, layer, part), 0);
    EXPECT_EQ(rk.DestroyBasePicture(4), 0);
}

TEST_F(RastkitDll, SixteenthLayerAndUnknownHandles)
{
    Open(6, 4, 4, std::vector<std::uint8_t>(48, 1));
    for (int k = 2; k <= 15; ++k)
        EXPECT_EQ(rk.AllocateLayer(6, 0, 0, 0, 2, 2), k * 0x100000 + 6);
    EXPECT_EQ(rk.AllocateLayer(6, 0, 0, 0, 2, 2), -1);
    EXPECT_EQ(rk.CreateLayer(6, 0, 0, 0, 2, 2), -1);
    EXPECT_EQ(rk.CompositeLayer(7), -1);
    EXPECT_EQ(rk.GetColors(7), 0);
    EXPECT_EQ(rk.CopyNearest(7, 0x100007, 0x200007), -1);
    EXPECT_EQ(rk.DestroyBasePicture(6), 0);
}

TEST(RastkitDllLife, UnloadingDropsEveryPicture)
{
    {
        SRastkit rk;
        ASSERT_EQ(rk.missing, 0);
        EXPECT_EQ(rk.CreateBasePicture(9), 0);
        EXPECT_EQ(rk.SetPixcelOffset(9, 0, 1, 8, 8, 8), 0);
        EXPECT_EQ(rk.GetXPixcels(9), 8);
    }
    SRastkit again;
    ASSERT_EQ(again.missing, 0);
    EXPECT_EQ(again.GetXPixcels(9), 0);
    EXPECT_EQ(again.CreateBasePicture(9), 0);
}

} // namespace
