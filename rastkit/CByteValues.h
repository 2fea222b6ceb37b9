#pragma once
// The caller's 8-bit bytes into a layer's 32-bit values and back, 16 bytes a step: the load and the
// write-back around every operation. Also the copying and clearing of picture-sized buffers.
#include <cstddef>
#include <cstdint>

namespace CByteValues {

// out[k] = in[k] for count values. stream: the values go past the caches to memory, for layers too
// large to stay in them (the next operation reads them from memory anyway).
void Widen(const std::uint8_t* in, std::int32_t* out, std::size_t count, bool stream = false);
// Layers of at least this many bytes are widened past the caches.
constexpr std::size_t kStreamBytes = std::size_t(32) << 20;
// out[k] = the low 8 bits of in[k] (no clamping).
void Narrow(const std::int32_t* in, std::uint8_t* out, std::size_t count);

// memcpy and memset for the buffer of a picture of that many pixels, split across the cores like
// the other operations on such pictures.
void Copy(void* to, const void* from, std::size_t bytes, std::size_t pixels) noexcept;
void Zero(void* to, std::size_t bytes, std::size_t pixels) noexcept;

} // namespace CByteValues
