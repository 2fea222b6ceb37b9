#pragma once
// Stepping through the memo list of the current base ("前のメモ" goes to older memos, towards the
// end of the list; "後ろのメモ" to newer ones). Portable: the frame gives the loader.
#include <functional>
#include <string>

class CSortDirName;

class CMemoSteps {
public:
    static constexpr int kOlder = 1;  // "前のメモ": index + 1
    static constexpr int kNewer = -1; // "後ろのメモ": index - 1

    virtual ~CMemoSteps() = default;

    // The list part of the enable rule: a finished listing and an entry in that direction.
    static bool CanStep(const CSortDirName& list, bool listReady, int direction);
    // Moves the current index one entry at a time and asks load for that entry's text file until
    // one loads or the end of the list is reached. True when a memo was shown.
    static bool Step(CSortDirName& list, int direction, const std::function<bool(const std::u16string& path)>& load);
};
