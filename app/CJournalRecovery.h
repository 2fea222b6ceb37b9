#pragma once
// Bringing back what a copy of the program that died had not written: every journal in a folder
// whose copy is gone (its reserved file no longer held) and whose text differs from the memo it
// names becomes a new memo of the memo base it names, with its pictures beside it. The old memo
// is never overwritten. A damaged or foreign file is left alone.
#include <string>
#include <vector>

class CJournalRecovery {
public:
    static constexpr char16_t kStatusText[] = u"前回保存されなかったメモを復元しました";

    // Recovers the journals of folder; the journal of exceptStem (this copy's own, without its
    // extension) is never touched. Returns the text files of the memos written.
    static std::vector<std::u16string> RecoverFolder(const std::u16string& folder, const std::u16string& exceptStem);

    // A path without its extension.
    static std::u16string StemOf(const std::u16string& path);
    // The journal files of a stem, as the edit window names them.
    static std::u16string JournalOf(const std::u16string& stem) { return stem + u".jnl"; }
    static std::u16string HoldOf(const std::u16string& stem) { return stem + u".dum"; }
    static std::u16string PicturesOf(const std::u16string& stem) { return stem + u"_pictures\\"; }
    // Whether a reserved temporary file of the memo bases may go: false while it belongs to a
    // running copy or is a journal not recovered (so that the clean-up never deletes one).
    static bool MayRemove(const std::u16string& folder, const std::u16string& name, const std::u16string& exceptStem);
};
