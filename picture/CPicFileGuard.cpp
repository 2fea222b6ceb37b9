#include "picture/CPicFileGuard.h"

#include "app/CFileName.h"
#include "text/CLineSplitter.h"
#include "text/CMemoReader.h"
#include "text/CPictureTag.h"

std::u16string CPicFileGuard::Key(const std::u16string& path)
{
    std::u16string key = CFileName::ToLower(path);
    for (char16_t& c : key)
        if (c == u'/')
            c = u'\\';
    return key;
}

void CPicFileGuard::Clear()
{
    std::lock_guard<std::mutex> guard(m_lock);
    m_files.clear();
}

void CPicFileGuard::ProtectTagsOf(std::u16string_view memoText, const std::u16string& sourcePath)
{
    const std::u16string folder = CMemoReader::FolderOf(sourcePath);
    CLineSplitter lines(memoText);
    std::u16string_view line;
    bool lineEnd = false;
    while (lines.Next(line, lineEnd)) {
        CPictureTag tag;
        if (!CPictureTag::Parse(line, sourcePath.empty(), tag))
            continue;
        const bool bare = tag.src.find(u'\\') == std::u16string::npos;
        Protect(bare ? folder + tag.src : tag.src);
    }
}

void CPicFileGuard::Protect(const std::u16string& path)
{
    if (path.empty())
        return;
    std::lock_guard<std::mutex> guard(m_lock);
    m_files.emplace(Key(path), kNobody);
}

void CPicFileGuard::Own(const std::u16string& path, int id)
{
    if (path.empty())
        return;
    std::lock_guard<std::mutex> guard(m_lock);
    m_files[Key(path)] = id;
}

void CPicFileGuard::Disown(int id)
{
    std::lock_guard<std::mutex> guard(m_lock);
    for (auto& [path, owner] : m_files)
        if (owner == id)
            owner = kNobody;
}

bool CPicFileGuard::MayWrite(const std::u16string& path, int id) const
{
    std::lock_guard<std::mutex> guard(m_lock);
    const auto it = m_files.find(Key(path));
    return it == m_files.end() || (it->second == id && id != kNobody);
}

bool CPicFileGuard::IsProtected(const std::u16string& path) const
{
    std::lock_guard<std::mutex> guard(m_lock);
    return m_files.count(Key(path)) != 0;
}

int CPicFileGuard::Count() const
{
    std::lock_guard<std::mutex> guard(m_lock);
    return static_cast<int>(m_files.size());
}
