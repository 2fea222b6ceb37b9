#pragma once
// One layer: a rectangle of wide signed values over its parent (the base picture or another
// layer), with its own colour kind, filter margins and children.
#include "rastkit/CLayerHandle.h"
#include "rastkit/CTypePictItem.h"

#include <array>
#include <cstdint>
#include <memory>
#include <vector>

enum EColorKind : int { kColorRgb = 0, kColorYCbCr = 1, kColorHsv = 2 };

struct SFilterMargins {
    int top = 0;
    int left = 0;
    int right = 0;
    int bottom = 0;
};

template <class TB, class TL>
class CTypeLayerPict {
public:
    using Pixels = CTypePictItem<TL>;

    CTypeLayerPict(CVMemList& store, std::uint32_t handle, int level, CTypeLayerPict* parent)
        : m_handle(handle), m_level(level), m_parent(parent), m_pixels(store)
    {
        m_lower.fill(0);
        m_upper.fill(255);
    }
    virtual ~CTypeLayerPict() = default;
    CTypeLayerPict(const CTypeLayerPict&) = delete;
    CTypeLayerPict& operator=(const CTypeLayerPict&) = delete;

    std::uint32_t Handle() const { return m_handle; }
    int Level() const { return m_level; }
    CTypeLayerPict* Parent() const { return m_parent; }

    int kind = kColorRgb;
    int x = 0;                 // relative to the parent
    int y = 0;
    SFilterMargins margins;
    bool enabled = true;

    int Width() const { return m_pixels.Width(); }
    int Height() const { return m_pixels.Height(); }
    int Colors() const { return m_pixels.Colors(); }
    Pixels& Values() { return m_pixels; }
    const Pixels& Values() const { return m_pixels; }

    // The cycle of the colour shift, per channel.
    int Lower(int channel) const { return m_lower[channel]; }
    int Upper(int channel) const { return m_upper[channel]; }

    // Position of the top-left pixel in the base picture.
    int AbsoluteX() const { return x + (m_parent ? m_parent->AbsoluteX() : 0); }
    int AbsoluteY() const { return y + (m_parent ? m_parent->AbsoluteY() : 0); }

    std::vector<std::unique_ptr<CTypeLayerPict>>& Children() { return m_children; }
    const std::vector<std::unique_ptr<CTypeLayerPict>>& Children() const { return m_children; }

    // Depth-first search of this layer and its subtree for an exactly equal handle.
    CTypeLayerPict* Find(std::uint32_t handle)
    {
        if (handle == m_handle)
            return this;
        if (!CLayerHandle::InSubtree(handle, m_handle, m_level))
            return nullptr;
        for (auto& child : m_children) {
            if (auto* found = child->Find(handle))
                return found;
        }
        return nullptr;
    }

private:
    std::uint32_t m_handle;
    int m_level;
    CTypeLayerPict* m_parent;
    Pixels m_pixels;
    std::array<int, 4> m_lower{};
    std::array<int, 4> m_upper{};
    std::vector<std::unique_ptr<CTypeLayerPict>> m_children;
};

using CLayerPict = CTypeLayerPict<unsigned char, std::int32_t>;
using CLayerValues = CTypePictItem<std::int32_t>;
