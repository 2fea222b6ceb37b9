#include "picture/CPicMemoLoader.h"

#include "app/CFileName.h"
#include "doc/CDocList.h"
#include "doc/CPictChapter.h"
#include "picture/CPicList.h"
#include "picture/CPicRequest.h"
#include "platform/FileSystem.h"
#include "text/CPictureTag.h"
#include "text/CTextCodec.h"

#include <cstdint>
#include <new>
#include <vector>

namespace {

// n when name is "<title>_<n>.<ext>" (compared without regard to case), else -1.
int NumberInName(const std::u16string& name, const std::u16string& title)
{
    const std::u16string lower = CFileName::ToLower(name);
    const std::u16string prefix = CFileName::ToLower(title) + u"_";
    if (title.empty() || lower.compare(0, prefix.size(), prefix) != 0)
        return -1;
    std::size_t i = prefix.size();
    long long n = 0;
    const std::size_t digitsStart = i;
    while (i < lower.size() && lower[i] >= u'0' && lower[i] <= u'9' && n < 100000)
        n = n * 10 + (lower[i++] - u'0');
    if (i == digitsStart || i >= lower.size() || lower[i] != u'.' || lower.find(u'.', i + 1) != std::u16string::npos)
        return -1;
    return n >= 1 && n < 100000 ? static_cast<int>(n) : -1;
}

}  // namespace

CPicMemoLoader::CPicMemoLoader(CDocList& doc, CPicList& pictures, CPicRequester& worker)
    : m_doc(doc), m_pictures(pictures), m_worker(worker)
{
}

bool CPicMemoLoader::PrepareFile(const std::u16string& memoPath)
{
    try {
        std::vector<std::uint8_t> bytes;
        if (!vel::platform::ReadWholeFile(memoPath, bytes))
            return false;
        PrepareText(CTextCodec::Decode(bytes.data(), bytes.size()), memoPath);
        return true;
    } catch (const std::bad_alloc&) {
        return false;
    }
}

void CPicMemoLoader::PrepareText(std::u16string_view text, const std::u16string& sourcePath)
{
    m_pictures.Files().ProtectTagsOf(text, sourcePath);
}

std::u16string CPicMemoLoader::WorkingCopyName(int id) const
{
    return m_doc.PictureFileName(id);
}

bool CPicMemoLoader::WorkingCopyAllowed(int id, const std::u16string& source) const
{
    const std::u16string copy = WorkingCopyName(id);
    return CPicFileGuard::Key(copy) == CPicFileGuard::Key(source) || m_pictures.Files().MayWrite(copy, id);
}

int CPicMemoLoader::ChooseId(const std::u16string& path) const
{
    const std::u16string folder = m_doc.Folder();
    if (!folder.empty() && CFileName::ToLower(CFileName::Directory(path)) == CFileName::ToLower(folder)) {
        const int own = NumberInName(CFileName::FileName(path), m_doc.Title());
        if (own > 0 && !m_pictures.HasId(own) && WorkingCopyAllowed(own, path))
            return own;
    }
    for (int id = 1;; ++id)
        if (!m_pictures.HasId(id) && WorkingCopyAllowed(id, path))
            return id;
}

bool CPicMemoLoader::LoadAtCaret(const std::u16string& path, const CPictureTag& tag)
{
    m_pictures.Files().Protect(path);
    const int id = ChooseId(path);
    const bool loaded = m_worker.Send(CPicRequest::Load(id, path)) && m_worker.Synchronise();
    if (!loaded || !m_pictures.HasId(id)) {
        // Whatever came of it, no picture stays without its chapter.
        if (m_pictures.HasId(id)) {
            m_worker.Send(CPicRequest::Release(id));
            m_pictures.RemoveById(id);
        }
        return false;
    }
    CPictChapter* chapter = m_doc.InsertPictureBeforeCaret(tag.indent < 0 ? 0 : tag.indent, id, tag.width, tag.height,
                                                           0, 0, tag.cposX, tag.cposY, tag.csizeX, tag.csizeY);
    if (!chapter) {
        m_worker.Send(CPicRequest::Release(id));
        m_pictures.RemoveById(id);
        return false;
    }
    {
        CPicList::UseLock use = m_pictures.Use();
        if (CPicData* picture = m_pictures.FindById(id))
            picture->SetFramingFromTag(chapter->Width(), chapter->Height(), tag.cposX, tag.cposY, tag.csizeX,
                                       tag.csizeY);
    }
    // Only editing needs the library's copy, and a memo of many large pictures cannot keep one
    // for each.
    m_worker.Send(CPicRequest::Release(id));
    m_lastId = id;
    return true;
}
