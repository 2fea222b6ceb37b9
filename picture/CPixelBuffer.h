#pragma once
// One piece of a memory store holding a picture's pixels. Pixels are never changed once a buffer
// is filled (an edit makes a new one), so copies of a picture share their buffer, and the piece
// goes back to the store when its last owner lets go.
#include <cstddef>
#include <memory>

class CVMemList;

class CPixelBuffer {
public:
    // None when the store cannot give the memory; never throws.
    static std::shared_ptr<CPixelBuffer> Make(CVMemList& store, std::size_t size) noexcept;
    ~CPixelBuffer();
    CPixelBuffer(const CPixelBuffer&) = delete;
    CPixelBuffer& operator=(const CPixelBuffer&) = delete;

    unsigned char* Data() const { return m_data; }
    std::size_t Size() const { return m_size; }

private:
    CPixelBuffer(CVMemList& store, unsigned char* data, std::size_t size) : m_store(store), m_data(data), m_size(size) {}

    CVMemList& m_store;
    unsigned char* m_data;
    std::size_t m_size;
};
