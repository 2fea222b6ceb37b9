#include "app/CMemoBaseLister.h"

#include <optional>

#include "app/CSortDirName.h"

void CMemoBaseLister::List(CSortDirName& list, const std::u16string& folder, bool keepCurrent,
                           const std::function<bool()>& keepGoing)
{
    std::optional<CDirData> kept;
    if (keepCurrent)
        kept = list.CurrentData();
    // No position of the old list may stand for an entry of the new one while it grows.
    list.SetCurrentIndex(-1);
    list.ListBase(folder, false, keepGoing);
    if (kept)
        list.SelectFolder(kept->Folder()); // stays -1 when that memo is gone
}
