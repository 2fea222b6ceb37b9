#include "picture/CPicFrame.h"

#include <algorithm>

namespace {

int Scaled(int size, double zoom)
{
    return static_cast<int>(size * zoom / 100.0 + 0.5);
}

int ClampScrollValue(int scroll, int zoomed, int frame)
{
    if (zoomed <= frame)
        return 0;
    return std::clamp(scroll, 0, zoomed - frame);
}

}  // namespace

CPicFrame::CPicFrame(int pictureWidth, int pictureHeight)
{
    SetPictureSize(pictureWidth, pictureHeight);
}

double CPicFrame::MinZoomFor(int frameWidth, int frameHeight) const
{
    if (m_pictureWidth <= 0 || m_pictureHeight <= 0)
        return 100.0;
    return std::max(frameWidth * 100.0 / m_pictureWidth, frameHeight * 100.0 / m_pictureHeight);
}

void CPicFrame::RecomputeZoomed()
{
    m_zoomedWidth = Scaled(m_pictureWidth, m_zoom);
    m_zoomedHeight = Scaled(m_pictureHeight, m_zoom);
}

void CPicFrame::ClampScroll()
{
    m_scrollX = ClampScrollValue(m_scrollX, m_zoomedWidth, m_frameWidth);
    m_scrollY = ClampScrollValue(m_scrollY, m_zoomedHeight, m_frameHeight);
}

void CPicFrame::SetPictureSize(int width, int height)
{
    m_pictureWidth = std::max(0, width);
    m_pictureHeight = std::max(0, height);
    if (m_frameWidth <= 0 || m_frameHeight <= 0) {
        m_frameWidth = m_pictureWidth;
        m_frameHeight = m_pictureHeight;
        m_zoom = 100.0;
    }
    RecomputeZoomed();
    SetFrameSize(m_frameWidth, m_frameHeight);
}

void CPicFrame::SetFrameSize(int width, int height)
{
    m_frameWidth = std::max(0, width);
    m_frameHeight = std::max(0, height);
    m_minZoom = MinZoomFor(m_frameWidth, m_frameHeight);
    if (m_frameWidth > m_zoomedWidth || m_frameHeight > m_zoomedHeight || m_zoom < m_minZoom)
        m_zoom = m_minZoom;
    RecomputeZoomed();
    ClampScroll();
}

bool CPicFrame::ZoomStep(int step)
{
    if (step == 0 || m_pictureWidth <= 0 || m_pictureHeight <= 0)
        return false;
    const int beforeWidth = m_zoomedWidth;
    const int beforeHeight = m_zoomedHeight;
    for (;;) {
        if (m_zoom <= 200.0)
            m_zoom += step;
        else if (m_zoom <= 400.0)
            m_zoom += 2.0 * step;
        else
            m_zoom += 4.0 * step;
        if (m_minZoom >= m_zoom)
            m_zoom = m_minZoom;
        if (m_zoom >= kMaxZoom)
            m_zoom = kMaxZoom;
        RecomputeZoomed();
        ClampScroll();
        if (m_zoom == kMaxZoom || m_zoom == m_minZoom || m_zoomedWidth != beforeWidth ||
            m_zoomedHeight != beforeHeight)
            break;
    }
    return m_zoomedWidth != beforeWidth || m_zoomedHeight != beforeHeight;
}

bool CPicFrame::ZoomAroundCentre(int step)
{
    if (m_zoomedWidth <= 0 || m_zoomedHeight <= 0)
        return ZoomStep(step);
    const double fx = (m_scrollX + m_frameWidth / 2.0) / m_zoomedWidth;
    const double fy = (m_scrollY + m_frameHeight / 2.0) / m_zoomedHeight;
    if (!ZoomStep(step))
        return false;
    m_scrollX = std::max(0, static_cast<int>(fx * m_zoomedWidth - m_frameWidth / 2.0 + 0.5));
    m_scrollY = std::max(0, static_cast<int>(fy * m_zoomedHeight - m_frameHeight / 2.0 + 0.5));
    ClampScroll();
    return true;
}

bool CPicFrame::ScrollTo(int x, int y)
{
    const int oldX = m_scrollX;
    const int oldY = m_scrollY;
    m_scrollX = x;
    m_scrollY = y;
    ClampScroll();
    return m_scrollX != oldX || m_scrollY != oldY;
}

void CPicFrame::ResizeImage(int newWidth, int newHeight)
{
    m_pictureWidth = std::max(0, newWidth);
    m_pictureHeight = std::max(0, newHeight);
    if (m_pictureWidth == 0 || m_pictureHeight == 0) {
        m_frameWidth = m_frameHeight = m_zoomedWidth = m_zoomedHeight = m_scrollX = m_scrollY = 0;
        m_zoom = m_minZoom = 100.0;
        return;
    }
    const std::int64_t longer = std::max(m_frameWidth, m_frameHeight);
    if (m_pictureWidth >= m_pictureHeight) {
        m_frameWidth = static_cast<int>(longer);
        m_frameHeight = static_cast<int>(longer * m_pictureHeight / m_pictureWidth);
    } else {
        m_frameHeight = static_cast<int>(longer);
        m_frameWidth = static_cast<int>(longer * m_pictureWidth / m_pictureHeight);
    }
    m_scrollX = m_scrollY = 0;
    m_zoomedWidth = m_frameWidth;
    m_zoomedHeight = m_frameHeight;
    m_zoom = m_frameWidth * 100.0 / m_pictureWidth;
    m_minZoom = m_zoom;
}

CPicFrame::Clip CPicFrame::ImageClip() const
{
    Clip clip;
    if (m_zoomedWidth > 0) {
        clip.x = std::min(m_pictureWidth, static_cast<int>(m_scrollX * static_cast<double>(m_pictureWidth) / m_zoomedWidth + 0.5));
        clip.width = static_cast<int>(m_frameWidth * static_cast<double>(m_pictureWidth) / m_zoomedWidth + 0.5);
        clip.width = std::min(clip.width, m_pictureWidth - clip.x);
    } else {
        clip.width = m_pictureWidth;
    }
    if (m_zoomedHeight > 0) {
        clip.y = std::min(m_pictureHeight, static_cast<int>(m_scrollY * static_cast<double>(m_pictureHeight) / m_zoomedHeight + 0.5));
        clip.height = static_cast<int>(m_frameHeight * static_cast<double>(m_pictureHeight) / m_zoomedHeight + 0.5);
        clip.height = std::min(clip.height, m_pictureHeight - clip.y);
    } else {
        clip.height = m_pictureHeight;
    }
    return clip;
}

void CPicFrame::CopyFrom(const CPicFrame& other)
{
    m_frameWidth = other.m_frameWidth;
    m_frameHeight = other.m_frameHeight;
    m_scrollX = other.m_scrollX;
    m_scrollY = other.m_scrollY;
    m_zoomedWidth = other.m_zoomedWidth;
    m_zoomedHeight = other.m_zoomedHeight;
    m_zoom = m_pictureWidth > 0 ? m_zoomedWidth * 100.0 / m_pictureWidth : 100.0;
    m_minZoom = MinZoomFor(m_frameWidth, m_frameHeight);
    ClampScroll();
}

void CPicFrame::SetFromTag(int frameWidth, int frameHeight, int scrollX, int scrollY, int zoomedWidth, int zoomedHeight)
{
    if (frameWidth <= 0 || frameHeight <= 0) {
        frameWidth = m_pictureWidth;
        frameHeight = m_pictureHeight;
    }
    m_frameWidth = frameWidth;
    m_frameHeight = frameHeight;
    m_minZoom = MinZoomFor(m_frameWidth, m_frameHeight);
    m_zoom = (zoomedWidth > 0 && zoomedHeight > 0 && m_pictureWidth > 0) ? zoomedWidth * 100.0 / m_pictureWidth : m_minZoom;
    // Rounding in the stored sizes can leave the zoom a hair below the minimum.
    if (m_zoom < m_minZoom)
        m_zoom = m_minZoom;
    if (m_zoom > kMaxZoom && m_minZoom <= kMaxZoom)
        m_zoom = kMaxZoom;
    RecomputeZoomed();
    m_scrollX = std::max(0, scrollX);
    m_scrollY = std::max(0, scrollY);
    ClampScroll();
}
