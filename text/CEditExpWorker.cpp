// The edit window and its worker: starting and ending it, requests, the synchronous wait that
// keeps the window painting, the replies, and the window's own queue of dropped files.
#include "text/CEditExp.h"

#include <shellapi.h>

#include "doc/CDocList.h"
#include "doc/CDocListMemo.h"
#include "framework/CUserMessage.h"
#include "text/CEditMessages.h"
#include "text/CMemoPictureLoader.h"
#include "text/CMemoReader.h"
#include "text/CMessageText.h"
#include "text/CPictureTag.h"

namespace {

bool IsPictureExtension(const std::u16string& path)
{
    const std::size_t slash = path.rfind(u'\\');
    const std::size_t dot = path.rfind(u'.');
    if (dot == std::u16string::npos || (slash != std::u16string::npos && dot < slash))
        return false;
    std::u16string extension = path.substr(dot + 1);
    for (char16_t& c : extension) {
        if (c >= u'A' && c <= u'Z')
            c = static_cast<char16_t>(c + 0x20);
    }
    return extension == u"bmp" || extension == u"jpg" || extension == u"tif" || extension == u"png" ||
           extension == u"gif";
}

}  // namespace

HWND CEditExp::MessageOwner() const
{
    HWND root = GetAncestor(Handle(), GA_ROOT);
    return root ? root : Handle();
}

void CEditExp::SetWorkerFactory(WorkerFactory factory)
{
    m_link = std::make_unique<CEditWorkerLink>(std::move(factory));
}

void CEditExp::SetWorkerLink(std::unique_ptr<CEditWorkerLink> link)
{
    m_link = link ? std::move(link) : std::make_unique<CEditWorkerLink>();
}

bool CEditExp::StartWorker()
{
    m_link->SetBusyHandler([this](bool busy) { SetBusy(busy); });
    return m_link->Start(Handle());
}

void CEditExp::StopWorker()
{
    m_link->Stop();
}

// ---- Dropped files ----

void CEditExp::QueueDroppedFiles(const std::vector<std::u16string>& paths)
{
    int queued = 0;
    for (const std::u16string& path : paths) {
        if (queued == kMaxDroppedFiles)
            break;
        auto record = CMsg::Make(kOpenDroppedFile);
        record->SetText(path.substr(0, kMaxDroppedPath));
        {
            std::lock_guard<std::mutex> lock(m_workLock);
            m_work.PushBack(std::move(record));
        }
        PostMessageW(Handle(), kWorkQueueMessage, 0, 0);
        ++queued;
    }
}

LRESULT CEditExp::OnDropFiles(WPARAM wParam, LPARAM)
{
    HDROP drop = reinterpret_cast<HDROP>(wParam);
    const UINT count = DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0);
    std::vector<std::u16string> paths;
    for (UINT i = 0; i < count && paths.size() < static_cast<size_t>(kMaxDroppedFiles); ++i) {
        wchar_t path[MAX_PATH] = {};
        if (DragQueryFileW(drop, i, path, MAX_PATH) > 0)
            paths.emplace_back(reinterpret_cast<const char16_t*>(path));
    }
    DragFinish(drop);
    if (!paths.empty()) {
        Doc().TakeUndoCopy();
        QueueDroppedFiles(paths);
    }
    RepaintAll();
    return 0;
}

LRESULT CEditExp::OnWorkQueue(WPARAM, LPARAM)
{
    for (;;) {
        std::unique_ptr<CMsg> record;
        {
            std::lock_guard<std::mutex> lock(m_workLock);
            record = m_work.Pop();
        }
        if (!record)
            return 0;
        if (record->Code() != kOpenDroppedFile)
            continue;
        if (m_dropping) {
            // A file is being opened (its wait pumps messages): this one comes back later.
            {
                std::lock_guard<std::mutex> lock(m_workLock);
                m_work.PushFront(std::move(record));
            }
            Sleep(100);
            PostMessageW(Handle(), kWorkQueueMessage, 0, 0);
            return 0;
        }
        m_dropping = true;
        OpenDroppedFile(record->Text());
        PostMessageW(Handle(), kWorkQueueMessage, 0, 0);
        m_dropping = false;
        return 0;
    }
}

bool CEditExp::OpenDroppedFile(const std::u16string& path)
{
    bool opened = false;
    if (IsPictureExtension(path)) {
        CPictureTag tag;
        opened = m_pictureLoader->LoadAtCaret(path, tag);
    } else {
        opened = ReadMemoFile(path);
    }
    if (!opened) {
        const std::u16string text = WithPath(edit_messages::kCannotOpenFile, path);
        CUserMessage::Show(MessageOwner(), std::wstring(text.begin(), text.end()));
        return false;
    }
    RepaintAll();
    ScrollCaretIntoView();
    return true;
}
