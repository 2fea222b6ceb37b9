#pragma once
// Replaces a file's whole content safely: the new bytes are written and flushed beside it as
// "<path>.~N", then put in its place in one step. A crash, a kill or a full disk leaves the old
// file or the new one, never a mix, and a failed write leaves the old file untouched.
#include <chrono>
#include <cstddef>
#include <string>

class CSafeFileWriter {
public:
    // A temporary this old is left over from a crash or a kill: no running copy takes that long
    // between creating one and putting it in place. Younger ones may be another copy's work.
    static constexpr std::chrono::seconds kStaleAge{60};

    // False when the content could not be put in place; the old file, if any, is then as it was
    // and no temporary of this call is left behind. Stale temporaries of the path are removed
    // first, and those still in use never make the write fail.
    static bool Write(const std::u16string& path, const void* data, std::size_t size);

    // The N-th temporary of path (N from 1).
    static std::u16string TemporaryName(const std::u16string& path, unsigned number);
};
