#include "rastkit/CTypeBasePict.h"
#include "rastkit/tests/RastkitTestUtil.h"

#include <gtest/gtest.h>

#include <algorithm>

#include <thread>

using namespace rastkit_test;

namespace {

class LayerTree : public testing::Test {
protected:
    CrastkitApp app;
};

TEST(LayerHandle, MasksAndSteps)
{
    EXPECT_EQ(CLayerHandle::FamilyMask(1), 0xFFFFFFu);
    EXPECT_EQ(CLayerHandle::FamilyMask(3), 0xFFFFFFFFu);
    EXPECT_EQ(CLayerHandle::ChildStep(1), 0x100000u);
    EXPECT_EQ(CLayerHandle::ChildStep(2), 0x1000000u);
    EXPECT_TRUE(CLayerHandle::InSubtree(0x1300005, 0x300005, 1));
    EXPECT_FALSE(CLayerHandle::InSubtree(0x1300005, 0x200005, 1));
}

TEST(PictItem, ReSizedBuffersStartAtZeroAlsoInReusedMemory)
{
    CVMemList store(1 << 20);
    CTypePictItem<std::int32_t> keep(store), item(store);
    ASSERT_TRUE(keep.Resize(10, 1, 1));   // holds the block while the pieces above come and go
    for (int round = 0; round < 3; ++round) {
        ASSERT_TRUE(item.Resize(50 + round * 40, 30, 3));
        for (std::size_t i = 0; i < item.Count(); ++i)
            ASSERT_EQ(item.Data()[i], 0) << "round " << round << " value " << i;
        std::fill(item.Data(), item.Data() + item.Count(), -5);
        item.Release();
    }
}

TEST_F(LayerTree, UnknownPictureIsRefusedEverywhere)
{
    int bins[4] = {7, 7, 7, 7};
    int kernel[9] = {};
    std::uint8_t bytes[12] = {};
    EXPECT_EQ(app.GetXPixcels(9), 0);
    EXPECT_EQ(app.GetYPixcels(9), 0);
    EXPECT_EQ(app.GetColors(9), 0);
    EXPECT_EQ(app.SetPixcelOffset(9, 0, 3, 6, 2, 2), -1);
    EXPECT_EQ(app.SetColorOffset(9, 0, 0), -1);
    EXPECT_EQ(app.LoadPicImage(9, 12, bytes), -1);
    EXPECT_EQ(app.CreateLayer(9, 0, 0, 0, 2, 2), -1);
    EXPECT_EQ(app.AllocateLayer(9, 0, 0, 0, 2, 2), -1);
    EXPECT_EQ(app.CompositeLayer(9), -1);
    EXPECT_EQ(app.DestroyBasePicture(9), -1);
    EXPECT_EQ(app.FilterImage(0x100009, 0, 3, 3, kernel), -1);
    EXPECT_EQ(app.GetColorProFile(0x100009, 0, 255, 0, 4, bins), -1);
    EXPECT_EQ(bins[0], 7);
    EXPECT_EQ(app.CopyNearest(9, 0x100009, 0x200009), -1);
    EXPECT_EQ(app.GetRotateSize(9, 0x100009, 0), 0);
}

TEST_F(LayerTree, IdsMustBeFreshAndPlain)
{
    EXPECT_EQ(app.CreateBasePicture(1), 0);
    EXPECT_EQ(app.CreateBasePicture(1), -1);
    EXPECT_EQ(app.CreateBasePicture(0), -1);
    EXPECT_EQ(app.CreateBasePicture(0x100002), -1);
    EXPECT_EQ(app.DestroyBasePicture(0x100001), 0);   // not the id itself: nothing destroyed
    EXPECT_EQ(app.PictureCount(), 1u);
    EXPECT_EQ(app.DestroyBasePicture(1), 0);
    EXPECT_EQ(app.PictureCount(), 0u);
}

TEST_F(LayerTree, ProgramOrderRoundTripsBytes)
{
    const auto bytes = Pattern(5 * 4 * 3, 1);
    const int layer = LoadPicture(app, 3, 5, 4, 3, bytes);
    EXPECT_EQ(layer, 0x100003);
    EXPECT_EQ(app.GetSelectLayer(3), layer);
    EXPECT_EQ(app.GetXPixcels(3), 5);
    EXPECT_EQ(app.GetYPixcels(3), 4);
    EXPECT_EQ(app.GetColors(3), 3);
    std::vector<std::uint8_t> blank(bytes.size(), 0);
    app.LoadPicImage(3, int(blank.size()), blank.data());
    EXPECT_EQ(app.CompositeLayer(3), 0);
    EXPECT_EQ(Stored(app, 3), bytes);
}

TEST_F(LayerTree, ColourKindsSurviveCompositing)
{
    const auto bytes = Pattern(6 * 6 * 3, 2);
    ASSERT_GT(LoadPicture(app, 1, 6, 6, 3, bytes), 0);
    const int ycc = app.CreateLayer(1, 1, 0, 0, 6, 6);
    ASSERT_GT(ycc, 0);
    EXPECT_EQ(app.CompositeLayer(ycc), 0);
    const auto back = Stored(app, 1);
    for (std::size_t i = 0; i < bytes.size(); ++i)
        EXPECT_NEAR(back[i], bytes[i], 3) << i;
}

TEST_F(LayerTree, WrongByteCountsChangeNothing)
{
    const std::vector<std::uint8_t> bytes(2 * 2 * 3, 9);
    LoadPicture(app, 1, 2, 2, 3, bytes);
    const std::vector<std::uint8_t> other(11, 1);
    EXPECT_EQ(app.LoadPicImage(1, 11, other.data()), 0);
    EXPECT_EQ(app.LoadPicImage(1, 12, nullptr), 0);
    EXPECT_EQ(Stored(app, 1), bytes);
    std::vector<std::uint8_t> out(13, 0xEE);
    EXPECT_EQ(app.StorePicImage(1, 13, out.data()), 0);
    EXPECT_EQ(out, std::vector<std::uint8_t>(13, 0xEE));
    EXPECT_EQ(app.StorePicImage(1, 12, nullptr), 0);
}

TEST_F(LayerTree, CreateLayerClipsToThePicture)
{
    CVMemList store(1 << 20);
    CBasePict pict(store, 1);
    pict.SetPixelOffset(0, 3, 300, 100, 100);
    pict.SetColorOffset(2, 2);
    const int h = pict.CreateLayer(1, 0, -10, 5, 30, 10);
    ASSERT_GT(h, 0);
    const auto* layer = pict.Find(std::uint32_t(h));
    EXPECT_EQ(layer->Height(), 20);
    EXPECT_EQ(layer->y, 0);
    EXPECT_EQ(layer->x, 5);
    EXPECT_EQ(pict.CreateLayer(1, 0, 0, 100, 10, 10), 0);
    EXPECT_EQ(pict.CreateLayer(1, 0, 95, 95, 10, 10), 0x200001);
    EXPECT_EQ(pict.Find(0x200001)->Width(), 5);
    EXPECT_EQ(pict.CreateLayer(1, 0, 0, -10, 5, 10), 0);
    // A child is given in picture coordinates, clipped to its parent and kept relative to it.
    const int child = pict.CreateLayer(0x200001, 0, 90, 97, 10, 10);
    EXPECT_EQ(child, 0x1200001);
    const auto* c = pict.Find(0x1200001);
    EXPECT_EQ(c->x, 2);
    EXPECT_EQ(c->y, 0);
    EXPECT_EQ(c->Width(), 3);
    EXPECT_EQ(c->Height(), 5);
    EXPECT_EQ(pict.CreateLayer(0x300001, 0, 0, 0, 1, 1), 0);   // names nothing
}

TEST_F(LayerTree, SixteenthChildIsRefusedAndFreedIndexReused)
{
    LoadPicture(app, 1, 4, 4, 1, std::vector<std::uint8_t>(16, 1));
    for (int k = 2; k <= 15; ++k)
        EXPECT_EQ(app.AllocateLayer(1, 0, 0, 0, 1, 1), int(k * 0x100000 + 1));
    EXPECT_EQ(app.AllocateLayer(1, 0, 0, 0, 1, 1), -1);
    EXPECT_EQ(app.CreateLayer(1, 0, 0, 0, 1, 1), -1);
    EXPECT_EQ(app.DestroyLayer(0x500001), 0);
    EXPECT_EQ(app.AllocateLayer(1, 0, 0, 0, 1, 1), 0x500001);
    EXPECT_EQ(app.AllocateLayer(1, 7, 0, 0, 1, 1), -1);   // unknown colour kind
    EXPECT_EQ(app.AllocateLayer(0x2200001, 0, 0, 0, 1, 1), 0);
    // Three levels fill 32 bits; a fourth cannot be named.
    EXPECT_EQ(app.AllocateLayer(0x100001, 0, 0, 0, 1, 1), 0x1100001);
    EXPECT_EQ(app.AllocateLayer(0x1100001, 0, 0, 0, 1, 1), 0x11100001);
    EXPECT_EQ(app.AllocateLayer(0x11100001, 0, 0, 0, 1, 1), -1);
}

TEST_F(LayerTree, SelectionFollowsLayersOnly)
{
    LoadPicture(app, 1, 4, 4, 3, std::vector<std::uint8_t>(48, 1));
    EXPECT_EQ(app.SetSelectLayer(1), 0);
    EXPECT_EQ(app.SetSelectLayer(0x700001), 0);
    const int second = app.AllocateLayer(1, 0, 0, 0, 2, 2);
    EXPECT_EQ(app.GetSelectLayer(1), 0x100001);   // allocating does not select
    EXPECT_EQ(app.SetSelectLayer(second), second);
    const int copy = app.CreateCopyLayer(0x100001);
    EXPECT_EQ(copy, 0x300001);
    EXPECT_EQ(app.GetSelectLayer(1), copy);
    EXPECT_EQ(app.DestroyLayer(copy), 0);
    EXPECT_EQ(app.GetSelectLayer(1), 1);
    EXPECT_EQ(app.CreateCopyLayer(0x900001), 0);
}

TEST_F(LayerTree, CompositeWritesLowBitsInsideMarginsOnly)
{
    CVMemList store(1 << 20);
    CBasePict pict(store, 1);
    pict.SetPixelOffset(0, 1, 4, 3, 4);
    pict.LoadImage(12, std::vector<std::uint8_t>(12, 7).data());
    const int h = pict.CreateLayer(1, 0, 0, 0, 3, 4);
    auto* layer = pict.Find(std::uint32_t(h));
    auto& v = layer->Values();
    for (std::size_t i = 0; i < v.Count(); ++i)
        v.Data()[i] = 300;
    v.At(1, 1, 0) = -1;
    layer->margins = {1, 1, 1, 1};
    EXPECT_EQ(pict.CompositeLayer(1), 0);
    std::vector<std::uint8_t> out(12);
    pict.StoreImage(12, out.data());
    EXPECT_EQ(out, (std::vector<std::uint8_t>{7, 7, 7, 7, 7, 255, 44, 7, 7, 7, 7, 7}));
    layer->enabled = false;
    EXPECT_EQ(pict.CompositeLayer(1), -1);   // nothing written
}

TEST_F(LayerTree, ChildrenAreTakenInBeforeWriting)
{
    CVMemList store(1 << 20);
    CBasePict pict(store, 1);
    pict.SetPixelOffset(0, 1, 4, 4, 4);
    pict.LoadImage(16, std::vector<std::uint8_t>(16, 10).data());
    const int parent = pict.CreateLayer(1, 0, 1, 1, 3, 3);
    const int child = pict.CreateLayer(std::uint32_t(parent), 0, 2, 2, 1, 1);
    pict.Find(std::uint32_t(child))->Values().At(0, 0, 0) = 99;
    const int off = pict.CreateLayer(std::uint32_t(parent), 0, 3, 3, 1, 1);
    pict.Find(std::uint32_t(off))->Values().At(0, 0, 0) = 55;
    pict.Find(std::uint32_t(off))->enabled = false;
    // Writing one layer alone does not take in its children.
    EXPECT_EQ(pict.CompositeLayer(std::uint32_t(parent)), 0);
    std::vector<std::uint8_t> out(16);
    pict.StoreImage(16, out.data());
    EXPECT_EQ(out[2 * 4 + 2], 10);
    EXPECT_EQ(pict.CompositeLayer(1), 0);
    pict.StoreImage(16, out.data());
    EXPECT_EQ(out[2 * 4 + 2], 99);
    EXPECT_EQ(out[3 * 4 + 3], 10);
    EXPECT_EQ(pict.Find(std::uint32_t(parent))->Values().At(1, 1, 0), 99);
    // Reloading goes deepest first: a child takes its parent's values as they stand, then the
    // parent is loaded from the picture.
    pict.LoadImage(16, std::vector<std::uint8_t>(16, 20).data());
    EXPECT_EQ(pict.ReLoadLayer(1), 0);
    EXPECT_EQ(pict.Find(std::uint32_t(child))->Values().At(0, 0, 0), 99);
    EXPECT_EQ(pict.Find(std::uint32_t(parent))->Values().At(1, 1, 0), 20);
    EXPECT_EQ(pict.ReLoadLayer(std::uint32_t(parent)), 0);
    EXPECT_EQ(pict.Find(std::uint32_t(child))->Values().At(0, 0, 0), 20);
}

TEST_F(LayerTree, ResizeCompositeReportsNewSize)
{
    LoadPicture(app, 1, 4, 2, 3, Pattern(24, 3));
    const int small = app.AllocateLayer(1, 0, 0, 0, 1, 2);
    EXPECT_EQ(app.CopyNearest(1, small, 0x100001), 0);
    EXPECT_EQ(app.ResizeCompositeLayer(small, 1, 2), 0);
    EXPECT_EQ(app.GetXPixcels(1), 2);
    EXPECT_EQ(app.GetYPixcels(1), 1);
    EXPECT_EQ(Stored(app, 1).size(), 6u);
    EXPECT_EQ(app.ResizeCompositeLayer(1, -1, 2), -1);
}

TEST_F(LayerTree, OddLayoutsNeverLeaveTheBuffer)
{
    // Strides and offsets that point past the caller's bytes: such bytes are neither read nor written.
    EXPECT_EQ(app.CreateBasePicture(1), 0);
    EXPECT_EQ(app.SetPixcelOffset(1, 5, 4, 50, 3, 3), 0);
    EXPECT_EQ(app.SetColorOffset(1, 2, 7), 0);
    EXPECT_EQ(app.SetColorOffset(1, 4, 0), -1);
    EXPECT_EQ(app.GetColors(1), 3);
    const auto bytes = Pattern(27, 4);
    EXPECT_EQ(app.LoadPicImage(1, 27, bytes.data()), 0);
    EXPECT_GT(app.CreateLayer(1, 0, 0, 0, 3, 3), 0);
    EXPECT_EQ(app.CompositeLayer(1), 0);
    EXPECT_EQ(Stored(app, 1)[5], bytes[5]);
    EXPECT_EQ(app.SetPixcelOffset(1, 0, -3, -9, 3, 3), 0);
    EXPECT_EQ(app.ReLoadLayer(1), 0);
    EXPECT_EQ(app.CompositeLayer(1), 0);
}

TEST_F(LayerTree, WorkersOnSeparatePicturesShareTheLibrary)
{
    // Each edit window's picture worker calls in with pictures of its own.
    std::vector<std::thread> workers;
    std::vector<int> failures(4, 0);
    for (int t = 0; t < 4; ++t) {
        workers.emplace_back([this, t, &failures] {
            const auto bytes = Pattern(16 * 12 * 3, unsigned(t));
            for (int round = 0; round < 50; ++round) {
                const int id = 100 + t;
                const int layer = LoadPicture(app, id, 16, 12, 3, bytes);
                const int small = app.AllocateLayer(id, 0, 0, 0, 6, 8);
                const bool ok = layer > 0 && app.CopyBicubic(id, small, layer) == 0 &&
                                app.ResizeCompositeLayer(small, 6, 8) == 0 && Stored(app, id).size() == 6u * 8 * 3 &&
                                app.DestroyBasePicture(id) == 0;
                failures[t] += ok ? 0 : 1;
            }
        });
    }
    for (auto& w : workers)
        w.join();
    EXPECT_EQ(failures, std::vector<int>(4, 0));
    EXPECT_EQ(app.PictureCount(), 0u);
}

} // namespace
