#pragma once
// The memo list of the current memo base: memo folders in descending order of their
// lower-cased paths (newest first, as folder names begin with their creation time), with the
// position of the memo shown. Filled by the listing worker while the window reads it, so
// every access takes the list's own lock; entries are handed out as copies.
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "app/CDirData.h"

class CSortDirName {
public:
    static constexpr int kBlockSize = 1024;

    CSortDirName() = default;
    virtual ~CSortDirName() = default;
    CSortDirName(const CSortDirName&) = delete;
    CSortDirName& operator=(const CSortDirName&) = delete;

    // Lists the memo folders of a memo base afresh (the listing worker's job). With keepCurrent
    // the memo shown stays current when it is listed again. keepGoing is asked before each
    // directory entry; when it says no, the listing stops where it is.
    void ListBase(const std::u16string& base, bool keepCurrent, const std::function<bool()>& keepGoing);

    void Clear();
    // Position of the new entry; -1 (entry dropped) when its folder is listed already.
    int Insert(std::unique_ptr<CDirData> entry);
    std::optional<CDirData> EntryAt(int index) const;
    std::optional<CDirData> CurrentData() const;
    // Makes the entry of folder the current one; none (index unchanged) when it is not listed.
    std::optional<CDirData> SelectFolder(const std::u16string& folder);
    // Removes the current entry; the current index moves back by one. False when there is none.
    bool RemoveCurrent();

    int Count() const;
    int CurrentIndex() const;
    void SetCurrentIndex(int index); // -1: the memo shown is not one of the list
    int ChangeCount() const;

private:
    using Block = std::vector<std::unique_ptr<CDirData>>;
    struct Place {
        std::size_t block = 0;
        std::size_t offset = 0;
        int position = 0;
        bool found = false;
    };

    // Where folder stands or would stand: the first entry not greater than it.
    Place Locate(const std::u16string& folder) const;
    const CDirData* At(int index) const;

    mutable std::mutex m_lock;
    std::vector<Block> m_blocks; // the position index: entries in blocks of up to two block sizes
    int m_count = 0;
    int m_current = -1;
    int m_changes = 0;
};
