#include "picture/CPicPrintLayers.h"

#include <algorithm>
#include <cstring>

#include "doc/CPictChapter.h"
#include "picture/CPicList.h"
#include "picture/CPicScaler.h"

namespace {

// The layer's side: the picture's own pixels behind the displayed side, at least the displayed
// side, at most the printed one.
int LayerSide(int displayed, int printed, int clip, int zoomed, int frame)
{
    const int shown = frame > 0 && zoomed > 0 && zoomed < frame ? std::max(1, displayed * zoomed / frame) : displayed;
    const long long own = shown > 0 ? static_cast<long long>(clip) * displayed / shown : displayed;
    return static_cast<int>(std::clamp<long long>(own, std::min(displayed, printed), printed));
}

}  // namespace

CDocListPrinter::PictureDrawer CPicPrintLayers::Drawer()
{
    return [this](HDC dc, const CPictChapter& chapter, const RECT& target) { Draw(dc, chapter, target); };
}

std::size_t CPicPrintLayers::Bytes() const
{
    std::size_t total = 0;
    for (const auto& [id, layer] : m_layers)
        total += layer.bits.size();
    return total;
}

bool CPicPrintLayers::LayerSize(int pictureId, int& width, int& height) const
{
    const auto it = m_layers.find(pictureId);
    if (it == m_layers.end())
        return false;
    width = it->second.width;
    height = it->second.height;
    return true;
}

bool CPicPrintLayers::Make(const CPictChapter& chapter, int width, int height, Layer& layer) const
{
    const CPicData* picture = m_pictures.FindById(chapter.PictureId());
    if (!picture || !picture->HasPixels())
        return false;
    const int bpp = picture->BytesPerPixel();
    if (bpp != 1 && bpp != 3 && bpp != 4)
        return false;
    const CPicFrame& frame = picture->Frame();
    const CPicFrame::Clip clip = frame.ImageClip();
    const int w = LayerSide(chapter.Width(), width, clip.width, frame.ZoomedWidth(), frame.FrameWidth());
    const int h = LayerSide(chapter.Height(), height, clip.height, frame.ZoomedHeight(), frame.FrameHeight());
    if (w <= 0 || h <= 0)
        return false;

    layer.info.assign(sizeof(BITMAPINFOHEADER) + 256 * sizeof(RGBQUAD), 0);
    auto* bmi = reinterpret_cast<BITMAPINFO*>(layer.info.data());
    bmi->bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    bmi->bmiHeader.biWidth = w;
    bmi->bmiHeader.biHeight = h;  // bottom-up: what every printer driver takes
    bmi->bmiHeader.biPlanes = 1;
    bmi->bmiHeader.biBitCount = static_cast<WORD>(bpp * 8);
    bmi->bmiHeader.biCompression = BI_RGB;
    if (bpp == 1) {
        bmi->bmiHeader.biClrUsed = 256;
        for (int i = 0; i < 256; ++i)
            bmi->bmiColors[i] = RGBQUAD{static_cast<BYTE>(i), static_cast<BYTE>(i), static_cast<BYTE>(i), 0};
    }
    const std::ptrdiff_t stride = (std::ptrdiff_t(w) * bpp + 3) & ~std::ptrdiff_t(3);
    // Where the zoomed picture is smaller than its frame the rest stays white, as on the screen.
    layer.bits.assign(static_cast<std::size_t>(stride * h), 0xFF);
    int shownWidth = w;
    int shownHeight = h;
    if (frame.FrameWidth() > 0 && frame.ZoomedWidth() < frame.FrameWidth())
        shownWidth = std::max(1, w * frame.ZoomedWidth() / frame.FrameWidth());
    if (frame.FrameHeight() > 0 && frame.ZoomedHeight() < frame.FrameHeight())
        shownHeight = std::max(1, h * frame.ZoomedHeight() / frame.FrameHeight());
    const CPicScaleSource source{picture->Bytes(), std::ptrdiff_t(picture->Width()) * bpp, bpp,
                                 clip.x, clip.y, clip.width, clip.height};
    // The top row of the picture is the last row of a bottom-up bitmap.
    unsigned char* top = layer.bits.data() + (h - 1) * stride;
    if (!CPicScaler::Scale(source, CPicScaleTarget{top, -stride, shownWidth, shownHeight}))
        return false;
    layer.version = picture->Version();
    layer.width = w;
    layer.height = h;
    layer.targetWidth = width;
    layer.targetHeight = height;
    return true;
}

void CPicPrintLayers::KeepWithinBudget(std::size_t incoming, int keepId)
{
    std::size_t total = Bytes() + incoming;
    while (total > kBudgetBytes) {
        auto oldest = m_layers.end();
        for (auto it = m_layers.begin(); it != m_layers.end(); ++it) {
            if (it->first != keepId && (oldest == m_layers.end() || it->second.lastUse < oldest->second.lastUse))
                oldest = it;
        }
        if (oldest == m_layers.end())
            return;
        total -= oldest->second.bits.size();
        m_layers.erase(oldest);
    }
}

const CPicPrintLayers::Layer* CPicPrintLayers::Find(const CPictChapter& chapter, int width, int height)
{
    const int id = chapter.PictureId();
    // The worker may be working on the pictures: their pixels are read under the list's lock.
    CPicList::UseLock use = m_pictures.Use();
    const CPicData* picture = m_pictures.FindById(id);
    if (!picture)
        return nullptr;
    auto it = m_layers.find(id);
    if (it == m_layers.end() || it->second.version != picture->Version() || it->second.targetWidth != width ||
        it->second.targetHeight != height) {
        Layer layer;
        if (!Make(chapter, width, height, layer))
            return nullptr;
        KeepWithinBudget(layer.bits.size(), id);
        it = m_layers.insert_or_assign(id, std::move(layer)).first;
    }
    it->second.lastUse = ++m_uses;
    return &it->second;
}

void CPicPrintLayers::Draw(HDC dc, const CPictChapter& chapter, const RECT& target)
{
    const int width = target.right - target.left;
    const int height = target.bottom - target.top;
    if (width <= 0 || height <= 0)
        return;
    const Layer* layer = Find(chapter, width, height);
    if (!layer)
        return;
    const int oldMode = SetStretchBltMode(dc, HALFTONE);
    POINT oldOrigin{};
    SetBrushOrgEx(dc, 0, 0, &oldOrigin);
    StretchDIBits(dc, target.left, target.top, width, height, 0, 0, layer->width, layer->height, layer->bits.data(),
                  reinterpret_cast<const BITMAPINFO*>(layer->info.data()), DIB_RGB_COLORS, SRCCOPY);
    SetBrushOrgEx(dc, oldOrigin.x, oldOrigin.y, nullptr);
    if (oldMode)
        SetStretchBltMode(dc, oldMode);
}
