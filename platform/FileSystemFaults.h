#pragma once
// Fault injection for the output files of the file system seam, so that tests can run a save
// into a full disk. Both output file implementations ask WritableBytes before every write; with
// no limit set it answers "all of them" at the cost of one relaxed atomic load.
#include <cstddef>

namespace vel::platform {

namespace testing {

// From now on all output files together accept only this many more bytes: the write that would
// pass the limit writes up to it and fails, and so does every later one, as on a full disk.
void FailWritesAfter(std::size_t bytes);
// Lifts the limit.
void ClearWriteFailures();

} // namespace testing

// How many of the wanted bytes the next write may put on disk (all of them unless a test set a
// limit); the bytes granted are taken from the limit.
std::size_t WritableBytes(std::size_t wanted) noexcept;

} // namespace vel::platform
