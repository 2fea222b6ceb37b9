#pragma once
// The crash journal of the memo open in an edit window. While the memo is modified, a copy of it
// in the memo format goes to the journal file about a second after a change it does not hold
// (never once per key): a plain copy of the chapters is made on the window's thread, the memo text
// composed, encoded and written on a thread of its own.
// The window holds its reserved temporary file open for as long as it runs, so that other copies
// can tell its journal from one that a copy which died left behind.
#include <windows.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "text/CJournalWriter.h"
#include "text/CMemoJournal.h"

namespace vel::platform {
class CHeldFile;
}

class CEditExp;

class CMemoSnapshot;

class CEditJournal {
public:
    static constexpr UINT_PTR kTimer = 0x4A4E;
    static constexpr UINT kTick = 250;    // milliseconds between looks at the memo
    static constexpr DWORD kQuiet = 1000;  // a journal this long after the first change it lacks

    explicit CEditJournal(CEditExp& edit);
    ~CEditJournal();
    CEditJournal(const CEditJournal&) = delete;
    CEditJournal& operator=(const CEditJournal&) = delete;

    // The journal of the reserved temporary file hold (".dum"): its name with ".jnl"; its
    // pictures that are in no file yet go to the folder with "_pictures".
    static std::u16string JournalPathFor(const std::u16string& holdPath);
    static std::u16string PictureFolderFor(const std::u16string& holdPath);

    // Holds the reserved file and starts the writer; header names the memo the journal is of.
    bool Start(const std::u16string& holdPath, std::function<CJournalHeader()> header);
    bool Running() const { return m_writer != nullptr; }

    // WM_TIMER: a journal once the oldest change it lacks is kQuiet old.
    void OnTimer();
    // After a key: the same, and the clock of a change the keys made starts now.
    void AfterInput();
    // Writes the journal now (tests, and before a risky step), unless nothing changed.
    void WriteNow();
    // The memo was written back: the journal is emptied.
    void MemoSaved();
    // A clean end: the journal and its pictures are removed and the hold let go.
    void End();
    // The window goes with text that could not be written back: the journal is brought up to
    // date and left for the next start to recover.
    void Keep();

    // Window-thread time of the last copy, in milliseconds, for measurements.
    double LastCopyMilliseconds() const { return m_lastCopyMs; }
    void Flush();

private:
    bool Pending() const;
    // The memo as a look at NOW finds it; a change it finds is no older than CHANGEDNOEARLIER.
    void Look(DWORD now, DWORD changedNoEarlier);

    CEditExp& m_edit;
    std::u16string m_holdPath;
    std::function<CJournalHeader()> m_header;
    std::unique_ptr<vel::platform::CHeldFile> m_hold;
    std::unique_ptr<CJournalWriter> m_writer;
    std::uint64_t m_journaled = 0;  // the edit count the journal holds
    bool m_changedSince = false;     // the memo changed after the journal, first at m_changedAt
    DWORD m_changedAt = 0;
    DWORD m_lastLook = 0;            // the previous timer tick
    bool m_hasJournal = false;
    double m_lastCopyMs = 0;
    // The last copy: the next one takes over its unchanged runs. Its runs never change, so the
    // writer may still be reading them.
    std::shared_ptr<const CMemoSnapshot> m_previous;
};
