#include "app/CSortDirName.h"

#include <algorithm>

#include "app/CFileName.h"
#include "platform/FileSystem.h"

CSortDirName::Place CSortDirName::Locate(const std::u16string& folder) const
{
    // Descending order: an entry "comes before" the new folder while it is greater. The first
    // entry that is not greater is where the ordered walk from position 0 would stop.
    const auto greater = [&folder](const std::unique_ptr<CDirData>& e) { return e->Folder() > folder; };
    Place place;
    const auto block = std::partition_point(m_blocks.begin(), m_blocks.end(),
                                            [&](const Block& b) { return greater(b.back()); });
    place.block = static_cast<std::size_t>(block - m_blocks.begin());
    for (std::size_t b = 0; b < place.block; ++b)
        place.position += static_cast<int>(m_blocks[b].size());
    if (block == m_blocks.end())
        return place;
    const auto it = std::partition_point(block->begin(), block->end(), greater);
    place.offset = static_cast<std::size_t>(it - block->begin());
    place.position += static_cast<int>(place.offset);
    place.found = it != block->end() && (*it)->Folder() == folder;
    return place;
}

const CDirData* CSortDirName::At(int index) const
{
    if (index < 0 || index >= m_count)
        return nullptr;
    for (const Block& block : m_blocks) {
        if (index < static_cast<int>(block.size()))
            return block[static_cast<std::size_t>(index)].get();
        index -= static_cast<int>(block.size());
    }
    return nullptr;
}

void CSortDirName::ListBase(const std::u16string& base, bool keepCurrent, const std::function<bool()>& keepGoing)
{
    std::optional<CDirData> current;
    if (keepCurrent)
        current = CurrentData();
    Clear();
    const std::u16string root = CFileName::AddSeparator(base);
    for (const std::u16string& name : vel::platform::ListMatching(root, u"*.*")) {
        if (keepGoing && !keepGoing())
            break;
        if (!CFileName::IsMemoFolder(root + name))
            continue;
        auto entry = std::make_unique<CDirData>(CDirData::FromFolder(root + name));
        if (!entry->FileName().empty())
            Insert(std::move(entry));
    }
    if (current)
        SelectFolder(current->Folder());
}

void CSortDirName::Clear()
{
    std::lock_guard lock(m_lock);
    m_blocks.clear();
    m_count = 0;
}

int CSortDirName::Insert(std::unique_ptr<CDirData> entry)
{
    if (!entry)
        return -1;
    std::lock_guard lock(m_lock);
    const Place place = Locate(entry->Folder());
    if (place.found)
        return -1;
    if (m_blocks.empty())
        m_blocks.emplace_back();
    // Past the last entry the new one joins the last block.
    const std::size_t b = std::min(place.block, m_blocks.size() - 1);
    Block& block = m_blocks[b];
    const std::size_t offset = place.block < m_blocks.size() ? place.offset : block.size();
    block.insert(block.begin() + static_cast<std::ptrdiff_t>(offset), std::move(entry));
    if (block.size() >= 2 * kBlockSize) {
        Block upper(std::make_move_iterator(block.begin() + kBlockSize), std::make_move_iterator(block.end()));
        block.resize(kBlockSize);
        m_blocks.insert(m_blocks.begin() + static_cast<std::ptrdiff_t>(b) + 1, std::move(upper));
    }
    ++m_count;
    return place.position;
}

std::optional<CDirData> CSortDirName::EntryAt(int index) const
{
    std::lock_guard lock(m_lock);
    const CDirData* entry = At(index);
    return entry ? std::optional<CDirData>(*entry) : std::nullopt;
}

std::optional<CDirData> CSortDirName::CurrentData() const
{
    std::lock_guard lock(m_lock);
    const CDirData* entry = At(m_current);
    return entry ? std::optional<CDirData>(*entry) : std::nullopt;
}

std::optional<CDirData> CSortDirName::SelectFolder(const std::u16string& folder)
{
    const std::u16string key = CFileName::ToLower(CFileName::AddSeparator(folder));
    std::lock_guard lock(m_lock);
    const Place place = Locate(key);
    if (!place.found)
        return std::nullopt;
    m_current = place.position;
    m_changes = 0;
    return *m_blocks[place.block][place.offset];
}

bool CSortDirName::RemoveCurrent()
{
    std::lock_guard lock(m_lock);
    if (m_current < 0 || m_current >= m_count)
        return false;
    int index = m_current;
    for (auto block = m_blocks.begin(); block != m_blocks.end(); ++block) {
        if (index < static_cast<int>(block->size())) {
            block->erase(block->begin() + index);
            if (block->empty())
                m_blocks.erase(block);
            break;
        }
        index -= static_cast<int>(block->size());
    }
    --m_count;
    ++m_changes;
    --m_current;
    return true;
}

int CSortDirName::Count() const
{
    std::lock_guard lock(m_lock);
    return m_count;
}

int CSortDirName::CurrentIndex() const
{
    std::lock_guard lock(m_lock);
    return m_current;
}

void CSortDirName::SetCurrentIndex(int index)
{
    std::lock_guard lock(m_lock);
    m_current = index;
    m_changes = 0;
}

int CSortDirName::ChangeCount() const
{
    std::lock_guard lock(m_lock);
    return m_changes;
}
