#pragma once
// A pixel buffer (width x height x colours values, channels interleaved) whose memory comes from
// the picture memory store. Re-sizing discards the contents; the new values are zero.
#include "rastkit/CByteValues.h"
#include "vmem/CVMemList.h"

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <limits>
#include <utility>

template <class T>
class CTypePictItem {
public:
    // 32-bit callers name sizes in signed 32-bit byte counts; nothing larger is made.
    static constexpr std::size_t kMaxBytes = 0x7FFFFFFF;

    explicit CTypePictItem(CVMemList& store) : m_store(&store) {}
    ~CTypePictItem() { Release(); }
    CTypePictItem(const CTypePictItem&) = delete;
    CTypePictItem& operator=(const CTypePictItem&) = delete;

    // On failure the old buffer and size stay as they were. Callers that overwrite every value at
    // once may skip the zeroing.
    bool Resize(int width, int height, int colours, bool zero = true)
    {
        if (width < 0 || height < 0 || colours < 0)
            return false;
        const std::uint64_t count = std::uint64_t(width) * std::uint64_t(height) * std::uint64_t(colours);
        if (count > kMaxBytes / sizeof(T))
            return false;
        T* data = nullptr;
        if (count != 0) {
            std::size_t worn = 0;
            data = static_cast<T*>(m_store->Allocate(std::size_t(count) * sizeof(T), &worn));
            if (!data)
                return false;
            // Memory no piece had before is still the system's zeros: writing them again would
            // only touch every page once more.
            if (zero && worn != 0)
                CByteValues::Zero(data, worn, std::size_t(width) * std::size_t(height));
        }
        Release();
        m_data = data;
        m_width = width;
        m_height = height;
        m_colours = colours;
        return true;
    }

    bool CopyFrom(const CTypePictItem& other)
    {
        if (this == &other)
            return true;
        if (!Resize(other.m_width, other.m_height, other.m_colours, false))
            return false;
        if (m_data)
            CByteValues::Copy(m_data, other.m_data, Bytes(), std::size_t(m_width) * std::size_t(m_height));
        return true;
    }

    void Swap(CTypePictItem& other)
    {
        std::swap(m_store, other.m_store);
        std::swap(m_data, other.m_data);
        std::swap(m_width, other.m_width);
        std::swap(m_height, other.m_height);
        std::swap(m_colours, other.m_colours);
    }

    void Release()
    {
        if (m_data)
            m_store->Free(m_data);
        m_data = nullptr;
        m_width = m_height = m_colours = 0;
    }

    int Width() const { return m_width; }
    int Height() const { return m_height; }
    int Colors() const { return m_colours; }
    std::size_t Count() const { return std::size_t(m_width) * std::size_t(m_height) * std::size_t(m_colours); }
    std::size_t Bytes() const { return Count() * sizeof(T); }
    std::size_t RowValues() const { return std::size_t(m_width) * std::size_t(m_colours); }
    bool HasData() const { return m_data != nullptr; }

    T* Data() { return m_data; }
    const T* Data() const { return m_data; }
    T* Row(int y) { return m_data + std::size_t(y) * RowValues(); }
    const T* Row(int y) const { return m_data + std::size_t(y) * RowValues(); }
    T& At(int x, int y, int c) { return m_data[(std::size_t(y) * m_width + x) * m_colours + c]; }
    const T& At(int x, int y, int c) const { return m_data[(std::size_t(y) * m_width + x) * m_colours + c]; }

    CVMemList& Store() const { return *m_store; }

private:
    CVMemList* m_store;
    T* m_data = nullptr;
    int m_width = 0;
    int m_height = 0;
    int m_colours = 0;
};
