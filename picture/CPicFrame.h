#pragma once
// How a picture is framed in the memo text: the frame it takes, the zoom of the picture behind
// the frame and where the frame's top-left corner lies in the zoomed picture. A value type, so
// the editing window can work on a copy and hand it back.
#include <cstdint>

class CPicFrame {
public:
    static constexpr double kMaxZoom = 800.0;

    // The frame's area in the picture's own pixels.
    struct Clip {
        int x = 0;
        int y = 0;
        int width = 0;
        int height = 0;
    };

    CPicFrame() = default;
    // The whole picture at its own size.
    CPicFrame(int pictureWidth, int pictureHeight);

    int PictureWidth() const { return m_pictureWidth; }
    int PictureHeight() const { return m_pictureHeight; }
    int FrameWidth() const { return m_frameWidth; }
    int FrameHeight() const { return m_frameHeight; }
    int ScrollX() const { return m_scrollX; }
    int ScrollY() const { return m_scrollY; }
    int ZoomedWidth() const { return m_zoomedWidth; }
    int ZoomedHeight() const { return m_zoomedHeight; }
    double Zoom() const { return m_zoom; }
    double MinZoom() const { return m_minZoom; }

    // The picture's pixels changed size without a resize of its own (decoding): a frame not set
    // yet becomes the whole picture, otherwise the frame stays and the zoom follows it.
    void SetPictureSize(int width, int height);
    // A new frame: the zoom is raised to the smallest that covers it when needed.
    void SetFrameSize(int width, int height);
    // A new frame that the whole picture just covers (a picture newly placed in the memo).
    void FitFrame(int width, int height) { SetFromTag(width, height, 0, 0, -1, -1); }
    // Zooms in (step > 0) or out until the zoomed picture changed by a pixel, the step doubling
    // above 200 % and again above 400 %; 800 % and the minimum zoom are the limits. False when
    // the zoomed size did not change.
    bool ZoomStep(int step);
    // ZoomStep keeping the picture point under the frame's centre where it is.
    bool ZoomAroundCentre(int step);
    // The scroll position, kept inside the zoomed picture; false when it did not move.
    bool ScrollTo(int x, int y);
    bool ScrollBy(int dx, int dy) { return ScrollTo(m_scrollX + dx, m_scrollY + dy); }
    // After the pixels were resampled or rotated to newWidth × newHeight: the frame keeps its
    // longer side and takes the new aspect, and the whole picture fills it.
    void ResizeImage(int newWidth, int newHeight);
    Clip ImageClip() const;
    // Frame, scroll and zoomed size of other (a copy of the same picture); zoom and minimum
    // zoom are worked out again for this picture's size.
    void CopyFrom(const CPicFrame& other);
    // The framing a memo tag gives (-1 = not given): frame, scroll and zoomed size, brought
    // back within the limits.
    void SetFromTag(int frameWidth, int frameHeight, int scrollX, int scrollY, int zoomedWidth, int zoomedHeight);

    bool operator==(const CPicFrame& other) const = default;

private:
    double MinZoomFor(int frameWidth, int frameHeight) const;
    void RecomputeZoomed();
    void ClampScroll();

    int m_pictureWidth = 0;
    int m_pictureHeight = 0;
    int m_frameWidth = 0;
    int m_frameHeight = 0;
    int m_scrollX = 0;
    int m_scrollY = 0;
    int m_zoomedWidth = 0;
    int m_zoomedHeight = 0;
    double m_zoom = 100.0;
    double m_minZoom = 100.0;
};
