#include "app/CMemoBaseLister.h"

#include <memory>
#include <optional>

#include "app/CFileName.h"
#include "app/CSortDirName.h"
#include "platform/FileSystem.h"

namespace {

// The memo's own text file is named like its folder; when it is there it is the memo, whatever
// other text files the folder holds (their order in a folder search is the file system's). Only
// otherwise is the folder searched. One attribute read instead of a folder search also keeps a
// base of many memos quick to list.
CDirData ReadMemo(const std::u16string& folder, const std::u16string& name)
{
    const std::u16string own = name + u".txt";
    if (CFileName::IsReadableFile(folder + u"\\" + own))
        return CDirData(folder, own);
    return CDirData::FromFolder(folder);
}

} // namespace

void CMemoBaseLister::List(CSortDirName& list, const std::u16string& folder, bool keepCurrent,
                           const std::function<bool()>& keepGoing)
{
    std::optional<CDirData> kept;
    if (keepCurrent)
        kept = list.CurrentData();
    // No position of the old list may stand for an entry of the new one while it grows.
    list.SetCurrentIndex(-1);
    list.Clear();
    const std::u16string root = CFileName::AddSeparator(folder);
    for (const std::u16string& name : vel::platform::ListMatching(root, u"*.*")) {
        if (keepGoing && !keepGoing())
            break;
        const std::u16string path = root + name;
        if (!CFileName::IsMemoFolder(path))
            continue;
        auto entry = std::make_unique<CDirData>(ReadMemo(path, name));
        if (!entry->FileName().empty())
            list.Insert(std::move(entry)); // in order, under the list's lock, one entry at a time
    }
    if (kept)
        list.SelectFolder(kept->Folder()); // stays -1 when that memo is gone
}
