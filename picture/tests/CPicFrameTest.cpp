// Framing of a picture in the memo: zoom steps and their limits, the scroll position kept inside
// the zoomed picture, the frame after a resize or rotation, and the part of the picture shown.
#include "picture/CPicFrame.h"

#include <gtest/gtest.h>

namespace {

// The picture of the zoom examples: 400 × 200 in a 200 × 100 frame, minimum zoom 50.
CPicFrame Framed400x200()
{
    CPicFrame frame(400, 200);
    frame.FitFrame(200, 100);
    return frame;
}

// The same picture at a given zoom, set as a memo tag would set it.
CPicFrame ZoomedTo(double zoom)
{
    CPicFrame frame = Framed400x200();
    frame.SetFromTag(200, 100, 0, 0, static_cast<int>(4 * zoom), static_cast<int>(2 * zoom));
    EXPECT_DOUBLE_EQ(frame.Zoom(), zoom);
    return frame;
}

}  // namespace

TEST(CPicFrame, NewFrameShowsTheWholePictureAtItsOwnSize)
{
    const CPicFrame frame(640, 480);
    EXPECT_EQ(frame.FrameWidth(), 640);
    EXPECT_EQ(frame.FrameHeight(), 480);
    EXPECT_DOUBLE_EQ(frame.Zoom(), 100.0);
    EXPECT_EQ(frame.ZoomedWidth(), 640);
    EXPECT_EQ(frame.ZoomedHeight(), 480);
}

TEST(CPicFrame, ZoomStepsGrowWithTheZoom)
{
    CPicFrame frame = Framed400x200();
    EXPECT_DOUBLE_EQ(frame.MinZoom(), 50.0);
    EXPECT_DOUBLE_EQ(frame.Zoom(), 50.0);
    EXPECT_TRUE(frame.ZoomStep(10));
    EXPECT_DOUBLE_EQ(frame.Zoom(), 60.0);
    EXPECT_EQ(frame.ZoomedWidth(), 240);
    EXPECT_EQ(frame.ZoomedHeight(), 120);

    struct Case {
        double from;
        double to;
    };
    for (const Case c : {Case{195, 205}, Case{205, 225}, Case{405, 445}, Case{790, 800}}) {
        CPicFrame at = ZoomedTo(c.from);
        at.ZoomStep(10);
        EXPECT_DOUBLE_EQ(at.Zoom(), c.to) << "from " << c.from;
    }
}

TEST(CPicFrame, ZoomStopsAtTheLimits)
{
    CPicFrame frame = Framed400x200();
    const CPicFrame before = frame;
    EXPECT_FALSE(frame.ZoomStep(-10));
    EXPECT_EQ(frame, before);

    CPicFrame top = ZoomedTo(800);
    const CPicFrame atTop = top;
    EXPECT_FALSE(top.ZoomStep(1));
    EXPECT_EQ(top, atTop);
    EXPECT_FALSE(frame.ZoomStep(0));
}

TEST(CPicFrame, EveryStepChangesThePictureByAPixel)
{
    // A picture so small that one percent is less than a pixel.
    CPicFrame frame(20, 10);
    const int before = frame.ZoomedWidth();
    EXPECT_TRUE(frame.ZoomStep(1));
    EXPECT_GT(frame.ZoomedWidth(), before);
    EXPECT_DOUBLE_EQ(frame.Zoom(), 103.0);  // 21 pixels needs 102.5 %
}

TEST(CPicFrame, ZoomingOutPullsTheScrollBack)
{
    CPicFrame frame = ZoomedTo(200);  // 800 × 400 behind 200 × 100
    EXPECT_TRUE(frame.ScrollTo(600, 300));
    EXPECT_EQ(frame.ScrollX(), 600);
    frame.ZoomStep(-50);              // 150 %: 600 × 300
    EXPECT_EQ(frame.ScrollX(), 600 - 200);
    EXPECT_EQ(frame.ScrollY(), 300 - 100);
    while (frame.ZoomStep(-10)) {
    }
    EXPECT_EQ(frame.ScrollX(), 0);
    EXPECT_EQ(frame.ScrollY(), 0);
}

TEST(CPicFrame, DraggingStopsAtTheEdge)
{
    CPicFrame frame = ZoomedTo(100);  // 400 × 200 behind 200 × 100
    EXPECT_TRUE(frame.ScrollBy(150, 70));
    EXPECT_TRUE(frame.ScrollBy(150, 70));
    EXPECT_EQ(frame.ScrollX(), 200);
    EXPECT_EQ(frame.ScrollY(), 100);
    EXPECT_FALSE(frame.ScrollBy(5, 5));
    EXPECT_TRUE(frame.ScrollBy(-1000, -1000));
    EXPECT_EQ(frame.ScrollX(), 0);
    EXPECT_EQ(frame.ScrollY(), 0);
}

TEST(CPicFrame, ZoomAroundTheCentreKeepsTheCentrePoint)
{
    CPicFrame frame = ZoomedTo(100);
    frame.ScrollTo(100, 50);  // centre at picture point (200, 100)
    ASSERT_TRUE(frame.ZoomAroundCentre(1));
    const double zoom = frame.Zoom();
    const double centreX = (frame.ScrollX() + 100) * 100.0 / zoom;
    const double centreY = (frame.ScrollY() + 50) * 100.0 / zoom;
    EXPECT_NEAR(centreX, 200.0, 1.0);
    EXPECT_NEAR(centreY, 100.0, 1.0);
    // At the picture's corner the scroll never goes negative.
    CPicFrame corner = ZoomedTo(100);
    ASSERT_TRUE(corner.ZoomAroundCentre(-1));
    EXPECT_GE(corner.ScrollX(), 0);
    EXPECT_GE(corner.ScrollY(), 0);
}

TEST(CPicFrame, ResizeImageKeepsTheLongerSide)
{
    CPicFrame frame = Framed400x200();
    frame.ScrollTo(10, 10);
    frame.ResizeImage(200, 400);  // a quarter turn
    EXPECT_EQ(frame.FrameWidth(), 100);
    EXPECT_EQ(frame.FrameHeight(), 200);
    EXPECT_DOUBLE_EQ(frame.Zoom(), 50.0);
    EXPECT_DOUBLE_EQ(frame.MinZoom(), 50.0);
    EXPECT_EQ(frame.ZoomedWidth(), 100);
    EXPECT_EQ(frame.ZoomedHeight(), 200);
    EXPECT_EQ(frame.ScrollX(), 0);
    EXPECT_EQ(frame.ScrollY(), 0);
}

TEST(CPicFrame, SetFrameSizeRaisesTheZoomToCoverTheFrame)
{
    CPicFrame frame(400, 200);
    frame.SetFrameSize(100, 100);  // the height needs 50 %, the width 25 %; 100 % still covers it
    EXPECT_DOUBLE_EQ(frame.MinZoom(), 50.0);
    EXPECT_DOUBLE_EQ(frame.Zoom(), 100.0);
    frame.ScrollTo(300, 0);
    EXPECT_EQ(frame.ScrollX(), 300);
    frame.SetFrameSize(500, 250);  // larger than the zoomed picture
    EXPECT_DOUBLE_EQ(frame.Zoom(), 125.0);
    EXPECT_EQ(frame.ZoomedWidth(), 500);
    EXPECT_EQ(frame.ScrollX(), 0);
}

TEST(CPicFrame, ImageClipIsTheFramesPartOfThePicture)
{
    CPicFrame frame = ZoomedTo(200);  // 800 × 400 behind 200 × 100
    frame.ScrollTo(400, 100);
    const CPicFrame::Clip clip = frame.ImageClip();
    EXPECT_EQ(clip.x, 200);
    EXPECT_EQ(clip.y, 50);
    EXPECT_EQ(clip.width, 100);
    EXPECT_EQ(clip.height, 50);

    const CPicFrame::Clip whole = Framed400x200().ImageClip();
    EXPECT_EQ(whole.width, 400);
    EXPECT_EQ(whole.height, 200);
}

TEST(CPicFrame, CopyFromWorksOutTheZoomForThisPicture)
{
    CPicFrame source = ZoomedTo(150);
    source.ScrollTo(30, 20);
    CPicFrame copy(400, 200);
    copy.CopyFrom(source);
    EXPECT_EQ(copy.FrameWidth(), 200);
    EXPECT_EQ(copy.ScrollX(), 30);
    EXPECT_EQ(copy.ZoomedWidth(), 600);
    EXPECT_DOUBLE_EQ(copy.Zoom(), 150.0);
    EXPECT_DOUBLE_EQ(copy.MinZoom(), 50.0);
}

TEST(CPicFrame, TagFramingIsBroughtWithinTheLimits)
{
    CPicFrame frame(640, 480);
    frame.SetFromTag(320, 240, 100, 50, 960, 720);
    EXPECT_DOUBLE_EQ(frame.Zoom(), 150.0);
    EXPECT_EQ(frame.ScrollX(), 100);
    EXPECT_EQ(frame.ZoomedHeight(), 720);

    CPicFrame unset(640, 480);
    unset.SetFromTag(320, 240, -1, -1, -1, -1);
    EXPECT_DOUBLE_EQ(unset.Zoom(), 50.0);
    EXPECT_EQ(unset.ScrollX(), 0);

    CPicFrame wild(640, 480);
    wild.SetFromTag(320, 240, 99999, 99999, 100, 75);  // too small a zoom, scroll past the end
    EXPECT_DOUBLE_EQ(wild.Zoom(), 50.0);
    EXPECT_EQ(wild.ScrollX(), 0);
    wild.SetFromTag(320, 240, 99999, 99999, 64000, 48000);
    EXPECT_DOUBLE_EQ(wild.Zoom(), 800.0);
    EXPECT_EQ(wild.ScrollX(), 5120 - 320);
}
