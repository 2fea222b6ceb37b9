#pragma once
// An in-memory picture list for document-list tests: sizes by id, copies, removals.
#include "doc/CDocPictures.h"

#include <map>
#include <string>
#include <utility>
#include <vector>

class CMemoryPictures : public CDocPictures {
public:
    struct Picture {
        int width = 0;
        int height = 0;
        std::u16string fileName;
    };

    void Add(int id, int width, int height) { m_pictures[id] = {width, height, u""}; }
    bool Has(int id) const { return m_pictures.count(id) != 0; }
    int Count() const { return static_cast<int>(m_pictures.size()); }
    const Picture& Get(int id) const { return m_pictures.at(id); }

    bool Size(int id, int& width, int& height) const override
    {
        auto it = m_pictures.find(id);
        if (it == m_pictures.end())
            return false;
        width = it->second.width;
        height = it->second.height;
        return true;
    }
    void ForEachId(const std::function<void(int)>& visit) const override
    {
        for (const auto& [id, picture] : m_pictures)
            visit(id);
    }
    bool Copy(int sourceId, int newId, const std::u16string& fileName) override
    {
        auto it = m_pictures.find(sourceId);
        if (it == m_pictures.end())
            return false;
        Picture copy = it->second;
        copy.fileName = fileName;
        m_pictures[newId] = copy;
        return true;
    }
    void RemoveById(int id) override { m_pictures.erase(id); }
    std::u16string Tag(int id, int indent) const override
    {
        std::u16string tag(static_cast<std::size_t>(indent), u'\t');
        tag += u"<IMG SRC=\"pic";
        for (char c : std::to_string(id))
            tag += static_cast<char16_t>(c);
        return tag + u".tif\">";
    }

private:
    std::map<int, Picture> m_pictures;
};
