#include "picture/CPixelBuffer.h"

#include "vmem/CVMemList.h"

#include <new>

std::shared_ptr<CPixelBuffer> CPixelBuffer::Make(CVMemList& store, std::size_t size) noexcept
{
    if (size == 0)
        return nullptr;
    auto* data = static_cast<unsigned char*>(store.Allocate(size));
    if (!data)
        return nullptr;
    try {
        return std::shared_ptr<CPixelBuffer>(new CPixelBuffer(store, data, size));
    } catch (const std::bad_alloc&) {
        store.Free(data);
        return nullptr;
    }
}

CPixelBuffer::~CPixelBuffer()
{
    m_store.Free(m_data);
}
