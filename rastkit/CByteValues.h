#pragma once
// The caller's 8-bit bytes into a layer's 32-bit values and back: the load and the write-back
// around every operation, so they move 16 bytes a step.
#include <cstddef>
#include <cstdint>

namespace CByteValues {

// out[k] = in[k] for count values.
void Widen(const std::uint8_t* in, std::int32_t* out, std::size_t count);
// out[k] = the low 8 bits of in[k] (no clamping).
void Narrow(const std::int32_t* in, std::uint8_t* out, std::size_t count);

// memcpy and memset for the buffers of pictures of pixels pixels, split across the cores like the
// other operations on such pictures.
void Copy(void* to, const void* from, std::size_t bytes, std::size_t pixels);
void Zero(void* to, std::size_t bytes, std::size_t pixels);

} // namespace CByteValues
