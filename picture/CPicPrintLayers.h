#pragma once
// The pictures of the memo prepared for printing: for each picture a layer holding the part of
// the picture that its frame shows, at the picture's own resolution but never larger than it is
// printed, stretched onto the page with the source-copy raster operation. Layers are made when a
// page first needs them and kept within a memory budget, so a memo of many pictures does not hold
// all of them at printer size at once.
#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <map>
#include <vector>

#include "doc/CDocListPrinter.h"

class CPicList;
class CPictChapter;

class CPicPrintLayers {
public:
    static constexpr std::size_t kBudgetBytes = std::size_t(64) << 20;

    explicit CPicPrintLayers(const CPicList& pictures) : m_pictures(pictures) {}

    // What CDocListPrinter::SetPictureDrawer takes; it draws through these layers.
    CDocListPrinter::PictureDrawer Drawer();
    // Draws the chapter's picture stretched over target; nothing for a picture without pixels.
    void Draw(HDC dc, const CPictChapter& chapter, const RECT& target);
    // A new job: every layer goes.
    void Clear() { m_layers.clear(); }

    int Count() const { return static_cast<int>(m_layers.size()); }
    std::size_t Bytes() const;
    // The layer's size for a picture id, or false when there is none.
    bool LayerSize(int pictureId, int& width, int& height) const;

private:
    struct Layer {
        std::uint64_t version = 0;
        int width = 0;
        int height = 0;
        int targetWidth = 0;  // the printed size it was made for
        int targetHeight = 0;
        std::vector<unsigned char> info;  // BITMAPINFO with its grey palette for one byte per pixel
        std::vector<unsigned char> bits;  // bottom-up rows, each padded to 4 bytes
        std::uint64_t lastUse = 0;
    };
    const Layer* Find(const CPictChapter& chapter, int width, int height);
    bool Make(const CPictChapter& chapter, int width, int height, Layer& layer) const;
    void KeepWithinBudget(std::size_t incoming, int keepId);

    const CPicList& m_pictures;
    std::map<int, Layer> m_layers;
    std::uint64_t m_uses = 0;
};
