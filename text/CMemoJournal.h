#pragma once
// The crash journal of an open memo: a short header naming the memo it belongs to (its folder
// and file in the memo store, or a new memo of a memo base), then the memo in the memo format.
// Stored as UTF-16 so that every character survives, and carrying its own length so that a
// damaged or foreign file is never taken for a journal.
#include <cstddef>
#include <string>
#include <string_view>

struct CJournalHeader {
    bool newMemo = true;
    std::u16string folder;  // the memo's folder (with its separator), or the base of a new memo
    std::u16string file;    // the memo's text file in that folder; empty for a new memo
};

class CMemoJournal {
public:
    static constexpr std::u16string_view kMagic = u"VelText journal 1";

    // The journal file's bytes.
    static std::string Encode(const CJournalHeader& header, std::u16string_view memoText);
    // False (nothing taken) for anything that is not a whole journal.
    static bool Decode(const void* bytes, std::size_t count, CJournalHeader& header, std::u16string& memoText);
};
