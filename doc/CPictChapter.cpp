#include "doc/CPictChapter.h"

#include "doc/CChapter.h"
#include "doc/CDocListBase.h"

#include <algorithm>
#include <cstdint>

CPictChapter::CPictChapter(int indent) : m_indent(std::max(0, indent)) {}

CPictChapter::~CPictChapter() = default;

namespace {
int Scale(int value, int numerator, int denominator)
{
    return static_cast<int>(static_cast<std::int64_t>(value) * numerator / denominator);
}
}  // namespace

bool CPictChapter::SetPicture(int id, int width, int height, int maxWidth, int maxHeight, const Part& part)
{
    if (!m_chapter)
        return false;
    CDocListBase& doc = m_chapter->Owner();
    int ownWidth = 0;
    int ownHeight = 0;
    if (!doc.PictureSize(id, ownWidth, ownHeight))
        return false;

    if (width != -1 && height != -1) {
        if (maxWidth > 0 && maxWidth < width)
            width = maxWidth;
        if (maxHeight > 0 && maxHeight < height)
            height = maxHeight;
    } else {
        width = ownWidth;
        height = ownHeight;
        const int limit = std::max(1, doc.PictureSizeLimit());
        if (height > limit) {
            width = Scale(width, limit, height);
            height = limit;
        }
        if (width > limit) {
            height = Scale(height, limit, width);
            width = limit;
        }
    }
    m_pictureId = id;
    m_width = std::max(0, width);
    m_height = std::max(0, height);

    Part visible;
    visible.x = part.x < 0 ? (m_hasPart ? m_part.x : 0) : part.x;
    visible.y = part.y < 0 ? (m_hasPart ? m_part.y : 0) : part.y;
    visible.x = std::min(visible.x, ownWidth);
    visible.y = std::min(visible.y, ownHeight);
    visible.width = part.width < 0 ? ownWidth - visible.x : std::min(part.width, ownWidth - visible.x);
    visible.height = part.height < 0 ? ownHeight - visible.y : std::min(part.height, ownHeight - visible.y);
    m_part = visible;
    m_hasPart = true;

    m_chapter->NoteChange();
    RecomputeGeometry();
    return true;
}

void CPictChapter::CopyFrom(const CPictChapter& other, int pictureId)
{
    m_indent = other.m_indent;
    m_pictureId = pictureId;
    m_leftSpace = other.m_leftSpace;
    m_width = other.m_width;
    m_height = other.m_height;
    m_rightSpace = other.m_rightSpace;
    m_topSpace = other.m_topSpace;
    m_bottomSpace = other.m_bottomSpace;
    m_lines = other.m_lines;
    m_part = other.m_part;
    m_hasPart = other.m_hasPart;
}

void CPictChapter::RecomputeGeometry()
{
    if (!m_chapter)
        return;
    CDocListBase& doc = m_chapter->Owner();
    const CTextFont& font = doc.CurrentFont();
    const int lineHeight = std::max(1, font.LineHeight());
    m_leftSpace = m_indent * doc.Layout().TabWidth() * font.CharWidth();
    m_rightSpace = doc.Layout().LayoutWidth() - m_leftSpace - m_width;
    m_lines = m_height / lineHeight + 1;
    m_topSpace = (m_lines * lineHeight - m_height) / 2;
    m_bottomSpace = m_lines * lineHeight - m_height - m_topSpace;
    m_chapter->LayOut(0);
}
