#include "app/CMemoSteps.h"

#include "app/CSortDirName.h"

bool CMemoSteps::CanStep(const CSortDirName& list, bool listReady, int direction)
{
    if (!listReady)
        return false;
    const int index = list.CurrentIndex();
    return direction > 0 ? index < list.Count() - 1 : index > 0;
}

bool CMemoSteps::Step(CSortDirName& list, int direction, const std::function<bool(const std::u16string& path)>& load)
{
    const int step = direction > 0 ? 1 : -1;
    for (;;) {
        const int index = list.CurrentIndex() + step;
        const int count = list.Count();
        if (index < 0 || index >= count)
            return false;
        list.SetCurrentIndex(index);
        // An entry whose folder vanished since the listing is skipped like one that fails to load.
        if (const auto entry = list.EntryAt(index); entry && !entry->FileName().empty() && load(entry->FilePath()))
            return true;
        if (step > 0 ? index == count - 1 : index == 0)
            return false;
    }
}
