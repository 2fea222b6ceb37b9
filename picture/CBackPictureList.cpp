#include "picture/CBackPictureList.h"

#include <algorithm>
#include <memory>
#include <vector>

#include "app/CFileName.h"
#include "platform/FileSystem.h"

namespace {

std::u16string WithSeparator(const std::u16string& folder)
{
    return folder.empty() ? folder : CFileName::AddSeparator(folder);
}

const wchar_t* Wide(const std::u16string& text)
{
    return reinterpret_cast<const wchar_t*>(text.c_str());
}

// A memory device context holding one bitmap for the time of one paint.
class BitmapDc {
public:
    BitmapDc(HDC compatible, HBITMAP bitmap) : m_dc(CreateCompatibleDC(compatible))
    {
        if (m_dc)
            m_old = SelectObject(m_dc, bitmap);
    }
    ~BitmapDc()
    {
        if (m_dc) {
            SelectObject(m_dc, m_old);
            DeleteDC(m_dc);
        }
    }
    BitmapDc(const BitmapDc&) = delete;
    BitmapDc& operator=(const BitmapDc&) = delete;
    HDC Get() const { return m_dc; }

private:
    HDC m_dc;
    HGDIOBJ m_old = nullptr;
};

}  // namespace

void CBackPictureList::Init(const std::u16string& stockFolder, const std::u16string& userFolder,
                            const std::u16string& kind)
{
    m_stockFolder = WithSeparator(stockFolder);
    m_userFolder = WithSeparator(userFolder);
    m_kind = WithSeparator(kind);
    Scan(m_stockFolder, true);
    Scan(m_userFolder, false);
}

void CBackPictureList::Scan(const std::u16string& folder, bool stock)
{
    // Without a folder there is nothing to look in: a bare kind name would search whatever the
    // current folder happens to be.
    if (folder.empty())
        return;
    const std::u16string pattern = folder + m_kind + u"*.*";
    WIN32_FIND_DATAW found{};
    HANDLE search = FindFirstFileW(Wide(pattern), &found);
    if (search == INVALID_HANDLE_VALUE)
        return;
    do {
        // The name is not lower-cased: only small-letter extensions count as pictures.
        const std::u16string path = folder + m_kind + reinterpret_cast<const char16_t*>(found.cFileName);
        if (!CFileName::IsPictureFile(path))
            continue;
        auto entry = std::make_unique<CPictureIO>();
        if (!entry->Load(path))
            continue;
        entry->SetStock(stock);
        m_primary.InsertTail(std::move(entry));
    } while (FindNextFileW(search, &found));
    FindClose(search);
}

template <class F>
void CBackPictureList::ForEachShown(F f) const
{
    int position = 0;
    for (const CTypeDataList<CPictureIO>* list : {&m_primary, &m_pending}) {
        for (CListNode* node = list->Head(); node;) {
            CPictureIO* entry = list->StepForward(node);
            if (entry && entry->Shown()) {
                if (!f(entry, position))
                    return;
                ++position;
            }
        }
    }
}

int CBackPictureList::Count() const
{
    int count = 0;
    ForEachShown([&](CPictureIO*, int) {
        ++count;
        return true;
    });
    return count;
}

CPictureIO* CBackPictureList::GetAt(int i) const
{
    CPictureIO* at = nullptr;
    if (i < 0)
        return nullptr;
    ForEachShown([&](CPictureIO* entry, int position) {
        if (position != i)
            return true;
        at = entry;
        return false;
    });
    return at;
}

int CBackPictureList::IndexOf(const std::u16string& path) const
{
    // Paths name files whatever their letter case; a copy's path is kept in small letters while
    // a later scan finds its file under the folder's own spelling.
    int exact = -1;
    int anyCase = -1;
    const std::u16string lower = CFileName::ToLower(path);
    ForEachShown([&](CPictureIO* entry, int position) {
        if (entry->FileName() == path)
            exact = position;
        else if (CFileName::ToLower(entry->FileName()) == lower)
            anyCase = position;
        return true;
    });
    if (exact >= 0)
        return exact;
    return anyCase >= 0 ? anyCase : 0;
}

std::u16string CBackPictureList::NameAt(int i) const
{
    const CPictureIO* entry = GetAt(i);
    return entry ? entry->FileName() : std::u16string();
}

bool CBackPictureList::AddPending(const std::u16string& path)
{
    auto entry = std::make_unique<CPictureIO>();
    if (!entry->Load(path))
        return false;
    return m_pending.InsertTail(std::move(entry)) != nullptr;
}

bool CBackPictureList::Hide(int i)
{
    CPictureIO* entry = GetAt(i);
    if (!entry)
        return false;
    entry->SetShown(false);
    return true;
}

void CBackPictureList::Commit()
{
    std::vector<std::unique_ptr<CPictureIO>> kept;
    while (CListNode* node = m_primary.Head()) {
        std::unique_ptr<CPictureIO> entry = m_primary.Remove(node);
        if (!entry)
            break;
        if (!entry->Stock() && !entry->Shown()) {
            DeleteFileW(Wide(entry->FileName()));  // a file already gone is no failure
            continue;
        }
        kept.push_back(std::move(entry));
    }
    while (CListNode* node = m_pending.Head()) {
        std::unique_ptr<CPictureIO> entry = m_pending.Remove(node);
        if (!entry)
            break;
        if (!entry->Shown())
            continue;
        const std::u16string copy = CopyIn(entry->FileName());
        if (copy.empty())
            continue;
        // The bitmap decoded from the source stands for the copy.
        entry->SetFileName(CFileName::ToLower(copy));
        kept.push_back(std::move(entry));
    }
    for (std::unique_ptr<CPictureIO>& entry : kept)
        m_primary.InsertTail(std::move(entry));
}

void CBackPictureList::Reset()
{
    m_primary.ForEach([](CPictureIO* entry) {
        if (entry)
            entry->SetShown(true);
    });
    m_pending.Clear();
}

std::u16string CBackPictureList::CopyIn(const std::u16string& source) const
{
    if (m_userFolder.empty())
        return {};
    // The user folder itself may not exist yet on a new system.
    if (!vel::platform::ReadAttributes(m_userFolder).exists)
        vel::platform::MakeDirectory(m_userFolder);
    const std::u16string target =
        CFileName::UniqueFileName(m_userFolder + m_kind, kCopyBaseName, CFileName::Extension(source));
    if (target.empty())
        return {};
    if (!CopyFileW(Wide(source), Wide(target), FALSE))
        return {};
    return target;
}

void CBackPictureList::PaintTiled(HDC dc, const RECT& area, const CPictureIO& picture)
{
    const SIZE size = picture.Size();
    if (!picture.Bitmap() || size.cx <= 0 || size.cy <= 0)
        return;
    BitmapDc source(dc, picture.Bitmap());
    if (!source.Get())
        return;
    for (LONG y = area.top; y < area.bottom; y += size.cy) {
        const LONG height = std::min<LONG>(size.cy, area.bottom - y);
        for (LONG x = area.left; x < area.right; x += size.cx) {
            const LONG width = std::min<LONG>(size.cx, area.right - x);
            BitBlt(dc, x, y, width, height, source.Get(), 0, 0, SRCCOPY);
        }
    }
}

std::u16string CBackPictureList::ProgramFolder()
{
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length == 0)
            return {};
        if (length < path.size()) {
            path.resize(length);
            break;
        }
        path.resize(path.size() * 2);
    }
    return CFileName::Directory(std::u16string(path.begin(), path.end()));
}
