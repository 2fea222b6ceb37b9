#pragma once
// One base picture: the caller's pixel bytes with their layout, and the tree of layers over it.
// Results follow the library's convention: 0 done, -1 failed, layer handles where named.
#include "rastkit/CTypeLayerPict.h"

#include <array>
#include <cstdint>
#include <memory>
#include <vector>

struct SPixelLayout {
    std::int64_t start = 0;        // byte offset of pixel (0, 0)
    std::int64_t pixelStride = 0;  // bytes from one pixel to the next in a row
    std::int64_t lineStride = 0;   // bytes from one row to the next
    int width = 0;
    int height = 0;
    int colours = 1;
    std::array<int, 4> channelOffset{};
};

template <class TB, class TL>
class CTypeBasePict {
public:
    using Layer = CTypeLayerPict<TB, TL>;
    using LayerList = std::vector<std::unique_ptr<Layer>>;

    CTypeBasePict(CVMemList& store, std::uint32_t id);
    virtual ~CTypeBasePict() = default;
    CTypeBasePict(const CTypeBasePict&) = delete;
    CTypeBasePict& operator=(const CTypeBasePict&) = delete;

    std::uint32_t Id() const { return m_id; }
    const SPixelLayout& Layout() const { return m_layout; }
    int InitialWidth() const { return m_initialWidth; }
    int InitialHeight() const { return m_initialHeight; }
    int Angle() const { return m_angle; }
    void AddAngle(int degrees);
    const CTypePictItem<TB>& Image() const { return m_image; }
    bool HasImage() const { return m_hasImage; }
    const LayerList& Layers() const { return m_layers; }

    int SetPixelOffset(int start, int pixelStride, int lineStride, int height, int width);
    int SetColorOffset(int channel, int offset);
    int LoadImage(int bytes, const void* data);
    int StoreImage(int bytes, void* buffer) const;

    // Null when no layer has exactly this handle (the id itself is not a layer).
    Layer* Find(std::uint32_t handle);

    int AllocateLayer(std::uint32_t parentHandle, int kind, int y, int x, int height, int width);
    int CreateLayer(std::uint32_t parentHandle, int kind, int y, int x, int height, int width);
    int CreateCopyLayer(std::uint32_t handle);
    int SetSelectLayer(std::uint32_t handle);
    int SelectedLayer() const { return static_cast<int>(m_selected); }
    void Select(const Layer& layer) { m_selected = layer.Handle(); }
    int ReLoadLayer(std::uint32_t handle);
    int CompositeLayer(std::uint32_t handle);
    int ResizeCompositeLayer(std::uint32_t handle, int height, int width);
    int DestroyLayer(std::uint32_t handle);
    int ChangeColor(std::uint32_t handle, int kind);

private:
    // Makes the layer (not yet loaded); -1 when memory or handle space runs out.
    // zero: false when the caller fills every value straight away.
    Layer* MakeLayer(Layer* parent, int kind, int y, int x, int height, int width, int& result, bool zero = true);
    LayerList& SiblingsOf(Layer* parent) { return parent ? parent->Children() : m_layers; }
    bool ResizeImage();
    bool LoadFromParent(Layer& layer);
    bool ReLoadTree(Layer& layer);
    bool TakeInChildren(Layer& layer);
    bool TakeIn(Layer& parent, const Layer& child);
    bool WriteToImage(const Layer& layer);
    // A converted copy of the layer's values when its kind differs, else the values themselves.
    const CTypePictItem<TL>* ValuesAs(const Layer& layer, int kind, CTypePictItem<TL>& scratch) const;
    std::int64_t Address(int x, int y, int channel) const;
    // True when pixels are the channels 0..colours-1 one after another (the program's layout).
    bool Packed(std::size_t colours) const;
    // True when the bytes of count pixels in one row never meet those of the next row.
    bool RowsApart(int count, int colours) const;
    // True when every byte of count pixels from (x, y) lies inside the image.
    bool RowInside(int x, int y, int count, int colours) const;

    CVMemList& m_store;
    std::uint32_t m_id;
    std::uint32_t m_selected;
    SPixelLayout m_layout;
    int m_initialWidth = 0;
    int m_initialHeight = 0;
    int m_angle = 0;
    bool m_hasImage = false;
    CTypePictItem<TB> m_image;
    LayerList m_layers;
};

using CBasePict = CTypeBasePict<unsigned char, std::int32_t>;
