#pragma once
// The pictures of the open memo in insertion order, found by id. The document list reaches them
// through CDocPictures; the picture worker and the window both walk the list, one locked step at
// a time. Pixels and framing of a listed picture are read or changed only under Use(), which
// also keeps a picture from being deleted while another thread works on it.
#include <memory>
#include <mutex>
#include <string>

#include "doc/CDocPictures.h"
#include "doc/CTypeDataList.h"
#include "picture/CPicData.h"
#include "picture/CPicFileGuard.h"

class CVMemList;

class CPicList : public CTypeDataList<CPicData>, public CDocPictures {
public:
    using UseLock = std::unique_lock<std::recursive_mutex>;

    explicit CPicList(CVMemList& store);
    ~CPicList() override;

    CVMemList& Store() const { return m_store; }

    // The first picture with the id, or none.
    CPicData* FindById(int id) const;
    // Appends; none (the picture destroyed) when the list could not take it.
    CPicData* Add(std::unique_ptr<CPicData> picture);
    // Removes and deletes every picture with the id; its files stay protected for nobody.
    void RemoveById(int id) override;
    bool HasId(int id) const { return FindById(id) != nullptr; }
    // The smallest id from 1 that no picture uses.
    int FreeId() const;

    UseLock Use() const { return UseLock(m_use); }
    // Empty (not owning) when another thread is working on a picture right now.
    UseLock TryUse() const { return UseLock(m_use, std::try_to_lock); }

    CPicFileGuard& Files() { return m_files; }
    const CPicFileGuard& Files() const { return m_files; }

    // CDocPictures.
    bool Size(int id, int& width, int& height) const override;
    void ForEachId(const std::function<void(int)>& visit) const override;
    // The copy shares the source's pixels (they never change in place) and takes its framing.
    bool Copy(int sourceId, int newId, const std::u16string& fileName) override;
    std::u16string Tag(int id, int indent) const override;

private:
    CVMemList& m_store;
    mutable std::recursive_mutex m_use;
    CPicFileGuard m_files;
};
