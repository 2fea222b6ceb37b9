#pragma once
// A picture's decoded pixels: width × height pixels of bytesPerPixel values of T each, rows from
// top to bottom without padding, the values of a pixel as the decoder delivered them. The
// buffer comes from the memory store and goes back to it when it is replaced or the picture goes.
#include <cstddef>
#include <cstdint>
#include <limits>
#include <memory>

#include "picture/CPixelBuffer.h"

class CVMemList;

template <class T>
class CTypePicData {
public:
    explicit CTypePicData(CVMemList& store) : m_store(store) {}
    virtual ~CTypePicData() = default;
    CTypePicData(const CTypePicData&) = delete;
    CTypePicData& operator=(const CTypePicData&) = delete;

    int Width() const { return m_width; }
    int Height() const { return m_height; }
    int BytesPerPixel() const { return m_bytesPerPixel; }
    std::size_t SizeInBytes() const { return BytesFor(m_bytesPerPixel, m_width, m_height); }
    bool HasPixels() const { return m_pixels != nullptr; }
    // Written only by whoever just made the buffer (SetPixels), before anyone shares it.
    T* Bytes() const { return m_pixels ? reinterpret_cast<T*>(m_pixels->Data()) : nullptr; }
    const std::shared_ptr<CPixelBuffer>& Pixels() const { return m_pixels; }
    CVMemList& Store() const { return m_store; }

    // Gives the old bytes back, then takes new ones for the size (contents for the caller to
    // fill). False, leaving an empty picture, when the store has no room or the size is absurd.
    bool SetPixels(int bytesPerPixel, int width, int height)
    {
        m_pixels.reset();
        m_width = m_height = m_bytesPerPixel = 0;
        const std::size_t size = BytesFor(bytesPerPixel, width, height);
        std::shared_ptr<CPixelBuffer> pixels = size ? CPixelBuffer::Make(m_store, size) : nullptr;
        if (!pixels) {
            OnPixelsChanged();
            return false;
        }
        Adopt(std::move(pixels), bytesPerPixel, width, height);
        return true;
    }
    // Takes a buffer filled elsewhere (a finished edit, another picture's bytes). It must hold
    // BytesFor(bytesPerPixel, width, height) bytes.
    void Adopt(std::shared_ptr<CPixelBuffer> pixels, int bytesPerPixel, int width, int height)
    {
        m_pixels = std::move(pixels);
        m_bytesPerPixel = m_pixels ? bytesPerPixel : 0;
        m_width = m_pixels ? width : 0;
        m_height = m_pixels ? height : 0;
        OnPixelsChanged();
    }

    // bytesPerPixel × width × height × sizeof(T); 0 for sizes that are empty or that a 32-bit
    // program could never hold.
    static std::size_t BytesFor(int bytesPerPixel, int width, int height)
    {
        if (bytesPerPixel <= 0 || width <= 0 || height <= 0)
            return 0;
        const std::uint64_t size = std::uint64_t(bytesPerPixel) * std::uint64_t(width) * std::uint64_t(height) * sizeof(T);
        if (size > std::uint64_t(std::numeric_limits<std::int32_t>::max()))
            return 0;
        return static_cast<std::size_t>(size);
    }

protected:
    virtual void OnPixelsChanged() {}

private:
    CVMemList& m_store;
    std::shared_ptr<CPixelBuffer> m_pixels;
    int m_width = 0;
    int m_height = 0;
    int m_bytesPerPixel = 0;
};
