#include "picture/CPicList.h"

#include <new>

CPicList::CPicList(CVMemList& store) : m_store(store) {}

CPicList::~CPicList()
{
    UseLock use = Use();
    Clear();
}

CPicData* CPicList::FindById(int id) const
{
    for (CListNode* node = Head(); node;) {
        CPicData* picture = StepForward(node);
        if (picture->Id() == id)
            return picture;
    }
    return nullptr;
}

CPicData* CPicList::Add(std::unique_ptr<CPicData> picture)
{
    CPicData* raw = picture.get();
    return InsertTail(std::move(picture)) ? raw : nullptr;
}

void CPicList::RemoveById(int id)
{
    UseLock use = Use();
    for (CListNode* node = Head(); node;) {
        CListNode* here = node;
        if (StepForward(node)->Id() == id)
            Remove(here);
    }
    m_files.Disown(id);
}

int CPicList::FreeId() const
{
    int candidate = 1;
    while (HasId(candidate))
        ++candidate;
    return candidate;
}

bool CPicList::Size(int id, int& width, int& height) const
{
    UseLock use = Use();
    const CPicData* picture = FindById(id);
    if (!picture)
        return false;
    width = picture->Width();
    height = picture->Height();
    return true;
}

void CPicList::ForEachId(const std::function<void(int)>& visit) const
{
    for (CListNode* node = Head(); node;)
        visit(StepForward(node)->Id());
}

bool CPicList::Copy(int sourceId, int newId, const std::u16string& fileName)
{
    UseLock use = Use();
    const CPicData* source = FindById(sourceId);
    if (!source)
        return false;
    try {
        auto copy = std::make_unique<CPicData>(m_store, newId, fileName);
        copy->Adopt(source->Pixels(), source->BytesPerPixel(), source->Width(), source->Height());
        copy->CopyFrom(*source);
        copy->SetOrigin(source->Origin());
        return Add(std::move(copy)) != nullptr;
    } catch (const std::bad_alloc&) {
        return false;
    }
}

std::u16string CPicList::Tag(int id, int indent) const
{
    UseLock use = Use();
    const CPicData* picture = FindById(id);
    return picture ? picture->WriteTag(indent) : std::u16string();
}
