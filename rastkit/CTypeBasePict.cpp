#include "rastkit/CTypeBasePict.h"

#include "rastkit/CByteValues.h"
#include "rastkit/CColorSpace.h"
#include "rastkit/CParallel.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

namespace {

// Clips a rectangle against 0..limitW x 0..limitH; false when nothing is left.
bool Clip(int& y, int& x, int& height, int& width, int limitH, int limitW)
{
    if (y >= limitH || x >= limitW)
        return false;
    std::int64_t h = height, w = width;
    if (y < 0) { h += y; y = 0; }
    if (x < 0) { w += x; x = 0; }
    h = std::min<std::int64_t>(h, limitH - y);
    w = std::min<std::int64_t>(w, limitW - x);
    if (h <= 0 || w <= 0)
        return false;
    height = static_cast<int>(h);
    width = static_cast<int>(w);
    return true;
}

template <class T>
std::size_t PixelsOf(const CTypePictItem<T>& item)
{
    return std::size_t(item.Width()) * std::size_t(item.Height());
}

template <class Layer>
bool SubtreeHolds(const Layer& layer, std::uint32_t handle)
{
    return CLayerHandle::InSubtree(handle, layer.Handle(), layer.Level());
}

} // namespace

template <class TB, class TL>
CTypeBasePict<TB, TL>::CTypeBasePict(CVMemList& store, std::uint32_t id)
    : m_store(store), m_id(id), m_selected(id), m_image(store)
{
}

template <class TB, class TL>
void CTypeBasePict<TB, TL>::AddAngle(int degrees)
{
    int a = static_cast<int>((std::int64_t(m_angle) + degrees) % 360);
    if (a < 0)
        a += 360;
    m_angle = a;
}

template <class TB, class TL>
bool CTypeBasePict<TB, TL>::ResizeImage()
{
    if (!m_hasImage)
        return true;
    return m_image.Resize(m_layout.width, m_layout.height, m_layout.colours);
}

template <class TB, class TL>
int CTypeBasePict<TB, TL>::SetPixelOffset(int start, int pixelStride, int lineStride, int height, int width)
{
    if (height < 0 || width < 0)
        return -1;
    m_layout.start = start;
    m_layout.pixelStride = pixelStride;
    m_layout.lineStride = lineStride;
    m_layout.height = height;
    m_layout.width = width;
    m_initialWidth = width;
    m_initialHeight = height;
    m_angle = 0;
    return ResizeImage() ? 0 : -1;
}

template <class TB, class TL>
int CTypeBasePict<TB, TL>::SetColorOffset(int channel, int offset)
{
    if (channel < 0 || channel > 3)
        return -1;
    int result = 0;
    if (channel + 1 > m_layout.colours) {
        m_layout.colours = channel + 1;
        if (!ResizeImage())
            result = -1;
    }
    m_layout.channelOffset[channel] = offset;
    return result;
}

template <class TB, class TL>
int CTypeBasePict<TB, TL>::LoadImage(int bytes, const void* data)
{
    const std::uint64_t size = std::uint64_t(m_layout.width) * std::uint64_t(m_layout.height) * std::uint64_t(m_layout.colours);
    if (bytes < 0 || std::uint64_t(bytes) != size || (!data && size != 0))
        return 0;   // the old image stays
    CTypePictItem<TB> fresh(m_store);
    if (!fresh.Resize(m_layout.width, m_layout.height, m_layout.colours, false))
        return -1;
    if (size != 0)
        CByteValues::Copy(fresh.Data(), data, std::size_t(size), PixelsOf(fresh));
    m_image.Swap(fresh);
    m_hasImage = true;
    return 0;
}

template <class TB, class TL>
int CTypeBasePict<TB, TL>::StoreImage(int bytes, void* buffer) const
{
    if (buffer && m_image.HasData() && bytes >= 0 && std::size_t(bytes) == m_image.Bytes())
        CByteValues::Copy(buffer, m_image.Data(), m_image.Bytes(), PixelsOf(m_image));
    return 0;
}

template <class TB, class TL>
typename CTypeBasePict<TB, TL>::Layer* CTypeBasePict<TB, TL>::Find(std::uint32_t handle)
{
    if (CLayerHandle::IdOf(handle) != m_id || handle == m_id)
        return nullptr;
    for (auto& layer : m_layers) {
        if (auto* found = layer->Find(handle))
            return found;
    }
    return nullptr;
}

template <class TB, class TL>
typename CTypeBasePict<TB, TL>::Layer* CTypeBasePict<TB, TL>::MakeLayer(Layer* parent, int kind, int y, int x,
                                                                        int height, int width, int& result, bool zero)
{
    result = -1;
    const int level = parent ? parent->Level() + 1 : 1;
    const bool knownKind = kind == kColorRgb || kind == kColorYCbCr || kind == kColorHsv;
    if (level > CLayerHandle::kMaxLevel || height < 0 || width < 0 || !knownKind)
        return nullptr;
    LayerList& siblings = SiblingsOf(parent);
    const std::uint32_t parentHandle = parent ? parent->Handle() : m_id;
    const std::uint32_t step = CLayerHandle::ChildStep(level);
    std::uint32_t handle = 0;
    for (std::uint32_t k = 1; k <= CLayerHandle::kMaxChildren && handle == 0; ++k) {
        const std::uint32_t candidate = parentHandle + k * step;
        const bool used = std::any_of(siblings.begin(), siblings.end(),
                                      [&](const auto& s) { return s->Handle() == candidate; });
        if (!used)
            handle = candidate;
    }
    if (handle == 0)
        return nullptr;
    auto layer = std::make_unique<Layer>(m_store, handle, level, parent);
    if (!layer->Values().Resize(width, height, m_layout.colours, zero))
        return nullptr;
    layer->kind = kind;
    layer->x = x;
    layer->y = y;
    Layer* made = layer.get();
    siblings.push_back(std::move(layer));
    result = static_cast<int>(handle);
    return made;
}

template <class TB, class TL>
int CTypeBasePict<TB, TL>::AllocateLayer(std::uint32_t parentHandle, int kind, int y, int x, int height, int width)
{
    Layer* parent = nullptr;
    if (parentHandle != m_id) {
        parent = Find(parentHandle);
        if (!parent)
            return 0;
        // Rectangles are given in the base picture's coordinates and kept relative to the parent.
        y -= parent->AbsoluteY();
        x -= parent->AbsoluteX();
    }
    int result = -1;
    MakeLayer(parent, kind, y, x, height, width, result);
    return result;
}

template <class TB, class TL>
int CTypeBasePict<TB, TL>::CreateLayer(std::uint32_t parentHandle, int kind, int y, int x, int height, int width)
{
    Layer* parent = nullptr;
    int limitH = m_layout.height, limitW = m_layout.width;
    if (parentHandle != m_id) {
        parent = Find(parentHandle);
        if (!parent)
            return 0;
        y -= parent->AbsoluteY();
        x -= parent->AbsoluteX();
        limitH = parent->Height();
        limitW = parent->Width();
    }
    if (!Clip(y, x, height, width, limitH, limitW))
        return 0;
    int result = -1;
    // The clipped rectangle lies wholly over its parent, so loading sets every value.
    Layer* layer = MakeLayer(parent, kind, y, x, height, width, result, false);
    if (!layer)
        return result;
    if (!LoadFromParent(*layer)) {
        SiblingsOf(parent).pop_back();
        return -1;
    }
    m_selected = layer->Handle();
    return result;
}

template <class TB, class TL>
int CTypeBasePict<TB, TL>::CreateCopyLayer(std::uint32_t handle)
{
    Layer* source = Find(handle);
    if (!source)
        return 0;
    Layer* parent = source->Parent();
    int result = -1;
    Layer* copy = MakeLayer(parent, source->kind, source->y, source->x, 0, 0, result);
    if (!copy)
        return result;
    if (!copy->Values().CopyFrom(source->Values())) {
        SiblingsOf(parent).pop_back();
        return -1;
    }
    m_selected = copy->Handle();
    return result;
}

template <class TB, class TL>
int CTypeBasePict<TB, TL>::SetSelectLayer(std::uint32_t handle)
{
    if (!Find(handle))
        return 0;
    m_selected = handle;
    return static_cast<int>(handle);
}

template <class TB, class TL>
std::int64_t CTypeBasePict<TB, TL>::Address(int x, int y, int channel) const
{
    return m_layout.start + std::int64_t(y) * m_layout.lineStride + std::int64_t(x) * m_layout.pixelStride +
           m_layout.channelOffset[channel];
}

template <class TB, class TL>
bool CTypeBasePict<TB, TL>::Packed(std::size_t colours) const
{
    if (m_layout.pixelStride != std::int64_t(colours) || std::size_t(m_layout.colours) != colours)
        return false;
    for (std::size_t c = 0; c < colours; ++c) {
        if (m_layout.channelOffset[c] != int(c))
            return false;
    }
    return true;
}

template <class TB, class TL>
bool CTypeBasePict<TB, TL>::RowsApart(int count, int colours) const
{
    const auto offsets = m_layout.channelOffset;
    const std::int64_t lowOff = *std::min_element(offsets.begin(), offsets.begin() + colours);
    const std::int64_t highOff = *std::max_element(offsets.begin(), offsets.begin() + colours);
    const std::int64_t span = std::int64_t(count - 1) * std::abs(m_layout.pixelStride) + highOff - lowOff + 1;
    return std::abs(m_layout.lineStride) >= span;
}

template <class TB, class TL>
bool CTypeBasePict<TB, TL>::RowInside(int x, int y, int count, int colours) const
{
    if (count <= 0 || colours <= 0 || !m_image.HasData())
        return false;
    const std::int64_t first = Address(x, y, 0) - m_layout.channelOffset[0];
    const std::int64_t span = std::int64_t(count - 1) * m_layout.pixelStride;
    const auto offsets = m_layout.channelOffset;
    const int lowOff = *std::min_element(offsets.begin(), offsets.begin() + colours);
    const int highOff = *std::max_element(offsets.begin(), offsets.begin() + colours);
    const std::int64_t lo = first + std::min<std::int64_t>(0, span) + lowOff;
    const std::int64_t hi = first + std::max<std::int64_t>(0, span) + highOff;
    return lo >= 0 && hi < std::int64_t(m_image.Bytes());
}

template <class TB, class TL>
bool CTypeBasePict<TB, TL>::LoadFromParent(Layer& layer)
{
    auto& values = layer.Values();
    const int w = layer.Width(), h = layer.Height();
    Layer* parent = layer.Parent();
    if (!values.HasData())
        return true;
    const int colours = std::min(values.Colors(), 4);
    if (!parent) {
        // Bytes outside the caller's buffer (odd strides or offsets) are never read.
        const std::int64_t size = m_image.HasData() ? std::int64_t(m_image.Bytes()) : 0;
        const TB* image = m_image.Data();
        const int cs = values.Colors();
        const bool packed = Packed(cs);
        const bool stream = values.Bytes() >= CByteValues::kStreamBytes;
        // Rows are independent: bands of them are loaded side by side.
        CParallel::ForBands(h, PixelsOf(values), [&](int j0, int j1) {
            for (int j = j0; j < j1; ++j) {
                TL* row = values.Row(j);
                if (RowInside(layer.x, layer.y + j, w, colours)) {
                    // Indices stay signed until each one is known to be inside.
                    const std::int64_t first = Address(layer.x, layer.y + j, 0) - m_layout.channelOffset[0];
                    if (packed) {
                        CByteValues::Widen(image + first, row, std::size_t(w) * cs, stream);
                    } else {
                        for (int i = 0; i < w; ++i)
                            for (int c = 0; c < colours; ++c)
                                row[std::size_t(i) * cs + c] = static_cast<TL>(
                                    image[first + std::int64_t(i) * m_layout.pixelStride + m_layout.channelOffset[c]]);
                    }
                    continue;
                }
                for (int i = 0; i < w; ++i) {
                    for (int c = 0; c < colours; ++c) {
                        // Bytes outside the caller's buffer read as 0.
                        const std::int64_t a = Address(layer.x + i, layer.y + j, c);
                        row[std::size_t(i) * cs + c] = a >= 0 && a < size ? static_cast<TL>(image[a]) : TL(0);
                    }
                }
            }
        });
        CColorSpace::Convert(values.Data(), std::size_t(w) * h, values.Colors(), kColorRgb, layer.kind);
        return true;
    }
    const auto& from = parent->Values();
    if (from.Colors() != values.Colors() || !from.HasData()) {
        std::memset(values.Data(), 0, values.Bytes());
        return true;
    }
    const int x0 = std::max(0, -layer.x), x1 = std::min(w, parent->Width() - layer.x);
    const int y0 = std::max(0, -layer.y), y1 = std::min(h, parent->Height() - layer.y);
    const std::size_t cs = std::size_t(values.Colors());
    if (x0 < x1 && y0 < y1) {
        CParallel::ForBands(y1 - y0, PixelsOf(values), [&](int j0, int j1) {
            for (int j = y0 + j0; j < y0 + j1; ++j)
                std::memcpy(values.Row(j) + x0 * cs, from.Row(layer.y + j) + std::size_t(layer.x + x0) * cs,
                            std::size_t(x1 - x0) * cs * sizeof(TL));
        });
    }
    CColorSpace::Convert(values.Data(), std::size_t(w) * h, values.Colors(), parent->kind, layer.kind);
    return true;
}

template <class TB, class TL>
bool CTypeBasePict<TB, TL>::ReLoadTree(Layer& layer)
{
    bool ok = true;
    for (auto& child : layer.Children())
        ok = ReLoadTree(*child) && ok;
    return LoadFromParent(layer) && ok;
}

template <class TB, class TL>
int CTypeBasePict<TB, TL>::ReLoadLayer(std::uint32_t handle)
{
    bool ok = true;
    if (handle == m_id) {
        for (auto& layer : m_layers)
            ok = ReLoadTree(*layer) && ok;
    } else if (Layer* layer = Find(handle)) {
        ok = ReLoadTree(*layer);
    }
    return ok ? 0 : -1;
}

template <class TB, class TL>
const CTypePictItem<TL>* CTypeBasePict<TB, TL>::ValuesAs(const Layer& layer, int kind, CTypePictItem<TL>& scratch) const
{
    if (layer.kind == kind || layer.Colors() < 3)
        return &layer.Values();
    if (!scratch.CopyFrom(layer.Values()))
        return nullptr;
    CColorSpace::Convert(scratch.Data(), std::size_t(layer.Width()) * layer.Height(), layer.Colors(), layer.kind, kind);
    return &scratch;
}

template <class TB, class TL>
bool CTypeBasePict<TB, TL>::TakeIn(Layer& parent, const Layer& child)
{
    CTypePictItem<TL> scratch(m_store);
    const CTypePictItem<TL>* values = ValuesAs(child, parent.kind, scratch);
    if (!values)
        return false;
    auto& target = parent.Values();
    if (!values->HasData() || !target.HasData() || values->Colors() != target.Colors())
        return true;
    const auto& m = child.margins;
    // Only the child's values inside its margins and under the parent are taken.
    const int x0 = std::max(m.left, -child.x), x1 = std::min(child.Width() - m.right, parent.Width() - child.x);
    const int y0 = std::max(m.top, -child.y), y1 = std::min(child.Height() - m.bottom, parent.Height() - child.y);
    const std::size_t cs = std::size_t(target.Colors());
    for (int j = y0; j < y1 && x0 < x1; ++j) {
        std::memcpy(target.Row(child.y + j) + std::size_t(child.x + x0) * cs, values->Row(j) + std::size_t(x0) * cs,
                    std::size_t(x1 - x0) * cs * sizeof(TL));
    }
    return true;
}

template <class TB, class TL>
bool CTypeBasePict<TB, TL>::TakeInChildren(Layer& layer)
{
    bool ok = true;
    for (auto& child : layer.Children()) {
        if (!child->enabled)
            continue;
        ok = TakeInChildren(*child) && ok;
        ok = TakeIn(layer, *child) && ok;
    }
    return ok;
}

template <class TB, class TL>
bool CTypeBasePict<TB, TL>::WriteToImage(const Layer& layer)
{
    CTypePictItem<TL> scratch(m_store);
    const CTypePictItem<TL>* values = ValuesAs(layer, kColorRgb, scratch);
    if (!values)
        return false;
    if (!values->HasData() || !m_image.HasData())
        return true;
    const int ax = layer.AbsoluteX(), ay = layer.AbsoluteY();
    const int colours = std::min(values->Colors(), m_layout.colours);
    const std::int64_t size = std::int64_t(m_image.Bytes());
    TB* image = m_image.Data();
    const auto& m = layer.margins;
    const std::size_t cs = std::size_t(values->Colors());
    const int i0 = m.left, i1 = layer.Width() - m.right;
    const bool packed = colours == int(cs) && Packed(cs);
    auto writeRows = [&](int j0, int j1) {
        for (int j = j0; j < j1; ++j) {
            const TL* row = values->Row(j);
            if (i0 < i1 && RowInside(ax + i0, ay + j, i1 - i0, colours)) {
                const std::int64_t first = Address(ax + i0, ay + j, 0) - m_layout.channelOffset[0];
                const TL* from = row + std::size_t(i0) * cs;
                if (packed) {
                    CByteValues::Narrow(from, image + first, std::size_t(i1 - i0) * cs);
                } else {
                    for (int i = 0; i < i1 - i0; ++i, from += cs)
                        for (int c = 0; c < colours; ++c)
                            image[first + std::int64_t(i) * m_layout.pixelStride + m_layout.channelOffset[c]] =
                                static_cast<TB>(from[c]);
                }
                continue;
            }
            for (int i = i0; i < i1; ++i) {
                for (int c = 0; c < colours; ++c) {
                    // Low 8 bits, no clamping; bytes outside the caller's buffer are never written.
                    const std::int64_t a = Address(ax + i, ay + j, c);
                    if (a >= 0 && a < size)
                        image[a] = static_cast<TB>(row[std::size_t(i) * cs + c]);
                }
            }
        }
    };
    const int j0 = m.top, j1 = layer.Height() - m.bottom;
    if (j0 >= j1)
        return true;
    // Rows that share bytes of the image must be written in order, the later one winning.
    if (i0 < i1 && RowsApart(i1 - i0, colours))
        CParallel::ForBands(j1 - j0, PixelsOf(*values), [&](int b0, int b1) { writeRows(j0 + b0, j0 + b1); });
    else
        writeRows(j0, j1);
    return true;
}

template <class TB, class TL>
int CTypeBasePict<TB, TL>::CompositeLayer(std::uint32_t handle)
{
    if (!m_image.HasData())
        return -1;
    bool written = false, ok = true;
    if (handle == m_id) {
        for (auto& layer : m_layers) {
            if (!layer->enabled)
                continue;
            ok = TakeInChildren(*layer) && ok;
            const bool done = WriteToImage(*layer);
            ok = done && ok;
            written = written || done;
        }
    } else if (Layer* layer = Find(handle); layer && layer->enabled) {
        written = WriteToImage(*layer);
        ok = written;
    }
    return written && ok ? 0 : -1;
}

template <class TB, class TL>
int CTypeBasePict<TB, TL>::ResizeCompositeLayer(std::uint32_t handle, int height, int width)
{
    if (height < 0 || width < 0)
        return -1;
    m_layout.start = 0;
    m_layout.width = width;
    m_layout.height = height;
    m_layout.lineStride = std::int64_t(width) * m_layout.colours;
    m_hasImage = true;
    if (!ResizeImage())
        return -1;
    return CompositeLayer(handle);
}

template <class TB, class TL>
int CTypeBasePict<TB, TL>::DestroyLayer(std::uint32_t handle)
{
    if (handle == m_id) {
        m_layers.clear();
        m_selected = m_id;
        return 0;
    }
    Layer* layer = Find(handle);
    if (!layer)
        return 0;
    // A selection inside the destroyed subtree falls back to the base picture.
    if (SubtreeHolds(*layer, m_selected))
        m_selected = m_id;
    LayerList& siblings = SiblingsOf(layer->Parent());
    siblings.erase(std::find_if(siblings.begin(), siblings.end(), [&](const auto& s) { return s.get() == layer; }));
    return 0;
}

template <class TB, class TL>
int CTypeBasePict<TB, TL>::ChangeColor(std::uint32_t handle, int kind)
{
    Layer* layer = Find(handle);
    if (!layer || layer->kind == kind)
        return 0;
    auto& v = layer->Values();
    if (CColorSpace::Convert(v.Data(), std::size_t(v.Width()) * v.Height(), v.Colors(), layer->kind, kind))
        layer->kind = kind;
    return 0;
}

template class CTypeBasePict<unsigned char, std::int32_t>;
