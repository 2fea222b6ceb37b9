#include "picture/CPicData.h"

#include "text/CPictureTag.h"

namespace {
std::atomic<std::uint64_t> g_versions{0};
}

CPicData::CPicData(CVMemList& store, int id, std::u16string fileName)
    : CTypePicData<unsigned char>(store), m_id(id), m_fileName(std::move(fileName))
{
    Touch();
}

CPicData::~CPicData() = default;

void CPicData::Touch()
{
    m_version.store(++g_versions);
}

void CPicData::OnPixelsChanged()
{
    m_origin.clear();
    m_frame.SetPictureSize(Width(), Height());
    Touch();
}

bool CPicData::ResizeImage(int newWidth, int newHeight)
{
    const bool made = SetPixels(BytesPerPixel() > 0 ? BytesPerPixel() : 3, newWidth, newHeight);
    m_frame.ResizeImage(Width(), Height());
    Touch();
    return made;
}

void CPicData::AdoptResized(std::shared_ptr<CPixelBuffer> pixels, int newWidth, int newHeight)
{
    const int bytesPerPixel = BytesPerPixel();
    Adopt(std::move(pixels), bytesPerPixel, newWidth, newHeight);
    m_frame.ResizeImage(Width(), Height());
    Touch();
}

void CPicData::SetFrameSize(int width, int height)
{
    m_frame.SetFrameSize(width, height);
    Touch();
}

bool CPicData::ZoomStep(int step)
{
    const bool changed = m_frame.ZoomStep(step);
    Touch();
    return changed;
}

void CPicData::CopyFraming(const CPicFrame& frame)
{
    m_frame.CopyFrom(frame);
    Touch();
}

void CPicData::SetFramingFromTag(int frameWidth, int frameHeight, int scrollX, int scrollY, int zoomedWidth,
                                 int zoomedHeight)
{
    m_frame.SetFromTag(frameWidth, frameHeight, scrollX, scrollY, zoomedWidth, zoomedHeight);
    Touch();
}

std::u16string CPicData::WriteTag(int indent) const
{
    CPictureAttributes attributes;
    attributes.width = m_frame.FrameWidth();
    attributes.height = m_frame.FrameHeight();
    attributes.cposX = m_frame.ZoomedWidth() == 0 ? 0 : m_frame.ScrollX();
    attributes.cposY = m_frame.ZoomedHeight() == 0 ? 0 : m_frame.ScrollY();
    attributes.csizeX = m_frame.ZoomedWidth() == 0 ? m_frame.FrameWidth() : m_frame.ZoomedWidth();
    attributes.csizeY = m_frame.ZoomedHeight() == 0 ? m_frame.FrameHeight() : m_frame.ZoomedHeight();
    std::u16string tag(static_cast<std::size_t>(indent > 0 ? indent : 0), u'\t');
    tag += CPictureAttributes::FormatTag(m_fileName, &attributes);
    return tag;
}
