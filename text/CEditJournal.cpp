#include "text/CEditJournal.h"

#include <chrono>

#include "doc/CDocList.h"
#include "doc/CDocListMemo.h"
#include "platform/FileHold.h"
#include "platform/FileSystem.h"
#include "text/CEditExp.h"
#include "text/CEditPictureHooks.h"
#include "text/CMemoPictureStore.h"
#include "text/CMemoSnapshot.h"
#include "text/CMemoWriter.h"

namespace {

std::u16string WithoutExtension(const std::u16string& path)
{
    const std::size_t dot = path.rfind(u'.');
    const std::size_t slash = path.rfind(u'\\');
    if (dot == std::u16string::npos || (slash != std::u16string::npos && dot < slash))
        return path;
    return path.substr(0, dot);
}

// Without pictures the journal holds the text alone.
class NoJournalPictures : public CMemoPictureStore {
public:
    bool Store(int, std::u16string&) override { return false; }
    bool Record(int, CMemoPictureRecord&) const override { return false; }
};

}  // namespace

CEditJournal::CEditJournal(CEditExp& edit) : m_edit(edit) {}

CEditJournal::~CEditJournal()
{
    m_writer.reset();  // what waits is written: a journal is never cut short by the window going
}

std::u16string CEditJournal::JournalPathFor(const std::u16string& holdPath)
{
    return WithoutExtension(holdPath) + u".jnl";
}

std::u16string CEditJournal::PictureFolderFor(const std::u16string& holdPath)
{
    return WithoutExtension(holdPath) + u"_pictures\\";
}

bool CEditJournal::Start(const std::u16string& holdPath, std::function<CJournalHeader()> header)
{
    End();
    m_hold = vel::platform::HoldFile(holdPath);
    if (!m_hold)
        return false;
    m_holdPath = holdPath;
    m_header = std::move(header);
    m_writer = std::make_unique<CJournalWriter>();
    m_journaled = m_edit.Doc().EditCount();
    m_changedSince = false;
    m_lastLook = GetTickCount();
    if (m_edit.Handle())
        SetTimer(m_edit.Handle(), kTimer, kTick, nullptr);
    return true;
}

bool CEditJournal::Pending() const
{
    return m_writer && m_edit.Doc().Modified() && m_edit.Doc().EditCount() != m_journaled;
}

void CEditJournal::OnTimer()
{
    if (!m_writer)
        return;
    const DWORD now = GetTickCount();
    const DWORD lastLook = m_lastLook;
    m_lastLook = now;
    // A change the timer finds came after its previous look: starting the clock now would add
    // up to a tick to the bound.
    Look(now, lastLook);
}

void CEditJournal::AfterInput()
{
    if (!m_writer)
        return;
    const DWORD now = GetTickCount();
    Look(now, now);
}

void CEditJournal::Look(DWORD now, DWORD changedNoEarlier)
{
    if (m_edit.Doc().EditCount() == m_journaled) {
        m_changedSince = false;
        return;
    }
    // Typing that never pauses is journaled too: the clock runs from the first change the
    // journal does not hold, not from the last.
    if (!m_changedSince) {
        m_changedSince = true;
        m_changedAt = changedNoEarlier;
    }
    if (Pending() && now - m_changedAt >= kQuiet && !m_edit.IsBusy())
        WriteNow();
}

void CEditJournal::WriteNow()
{
    if (!Pending())
        return;
    const auto start = std::chrono::steady_clock::now();
    CJournalHeader header = m_header ? m_header() : CJournalHeader{};
    CEditPictureHooks* hooks = m_edit.PictureHooks();
    std::unique_ptr<CMemoPictureStore> pictures =
        hooks ? hooks->JournalStoreFor(PictureFolderFor(m_holdPath)) : nullptr;
    NoJournalPictures none;
    std::shared_ptr<CMemoSnapshot> snapshot;
    try {
        // Only the copy is made here, and only where the memo changed since the last one;
        // composing and encoding a large memo would hold up typing.
        snapshot = TakeSnapshot(m_edit.Doc(), pictures ? *pictures : static_cast<CMemoPictureStore&>(none),
                                m_previous.get());
    } catch (const std::bad_alloc&) {
        m_previous.reset();
        return;  // no room for a copy now; the next look tries again
    }
    m_previous = snapshot;
    m_journaled = m_edit.Doc().EditCount();
    m_changedSince = false;
    m_writer->Submit(JournalPathFor(m_holdPath), [snapshot, header = std::move(header)]() {
        CMemoWriter writer(*snapshot, *snapshot);
        const CMemoComposition composed = writer.Compose(CMemoWriter::kMemoFormat, true);
        return CMemoJournal::Encode(header, composed.text);
    });
    m_hasJournal = true;
    m_lastCopyMs = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}

void CEditJournal::MemoSaved()
{
    if (!m_writer)
        return;
    m_journaled = m_edit.Doc().EditCount();
    m_changedSince = false;
    if (m_hasJournal)
        m_writer->Discard(JournalPathFor(m_holdPath));
    m_hasJournal = false;
}

void CEditJournal::Flush()
{
    if (m_writer)
        m_writer->Flush();
}

void CEditJournal::End()
{
    if (!m_writer)
        return;
    if (m_edit.Handle())
        KillTimer(m_edit.Handle(), kTimer);
    m_writer->Discard(JournalPathFor(m_holdPath));
    m_writer.reset();
    m_hold.reset();
    m_previous.reset();
    const std::u16string pictures = PictureFolderFor(m_holdPath);
    for (const std::u16string& name : vel::platform::ListMatching(pictures, u"*"))
        vel::platform::RemoveFile(pictures + name);
    vel::platform::RemoveFolder(pictures);
    m_hasJournal = false;
}

void CEditJournal::Keep()
{
    if (!m_writer)
        return;
    if (m_edit.Handle())
        KillTimer(m_edit.Handle(), kTimer);
    WriteNow();
    m_writer.reset();
    m_hold.reset();
    m_previous.reset();
}
