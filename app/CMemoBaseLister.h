#pragma once
// One listing of a memo base into the memo list, as the listing worker runs it. The list is
// rebuilt in order while the folders are read, so it can be used (and is sorted) at every moment.
// Portable: it reads the disk only through the platform layer, so it can be measured natively.
#include <functional>
#include <string>

class CSortDirName;

class CMemoBaseLister {
public:
    virtual ~CMemoBaseLister() = default;

    // With keepCurrent the memo that was current stays current when it is listed again. In every
    // other case the fresh list has no current entry (-1): a position of the old list would point
    // at some other memo of the new one. keepGoing is asked before each directory entry; when it
    // says no, the listing ends where it is.
    static void List(CSortDirName& list, const std::u16string& folder, bool keepCurrent,
                     const std::function<bool()>& keepGoing);
};
