#pragma once
// The area average of rows that hold only values 0-32767, with a divisor of at most 65536: every
// sum then fits in 32 bits, so the source rows under a destination row are first summed down,
// whole rows at a time, and the columns across afterwards. Integer sums are exact in any order,
// so the quotients are those of the 64-bit sums.
#include "rastkit/CTypeLayerPict.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace CResampler {

// One axis of the area average: which source pixels a destination pixel covers, with how many
// units of overlap each.
struct SAreaSpan {
    int first = 0;
    std::vector<std::int64_t> units;
};

class CAreaDown {
public:
    CAreaDown(const std::vector<SAreaSpan>& columns, const std::vector<SAreaSpan>& rows, std::int64_t divisor,
              std::size_t colours);
    // False when some sum could leave 32 bits.
    bool Usable() const { return m_usable; }
    // Values a row's scratch needs (one source row, and room for a fourth lane).
    static std::size_t ScratchValues(const CLayerValues& src) { return src.RowValues() + 4; }
    // One destination row from the source rows that rows names; false, with nothing written, when
    // one of them holds a value outside 0-32767.
    bool Row(const CLayerValues& src, const SAreaSpan& rows, std::int32_t* out, std::uint32_t* scratch) const;

private:
    const std::vector<SAreaSpan>& m_columns;
    std::int64_t m_divisor;
    std::size_t m_cs;
    bool m_usable = true;
    bool m_unitColumns = true;   // every column tap counts once
};

} // namespace CResampler
