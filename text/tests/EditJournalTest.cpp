// The crash journal of a real edit window: written from what the window holds, on its own clock,
// emptied by a write-back, removed at a clean end and left for recovery when the window goes with
// text it could not write.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "doc/CDocList.h"
#include "platform/FileHold.h"
#include "platform/FileSystem.h"
#include "text/CEditExp.h"
#include "text/CMemoJournal.h"
#include "text/tests/CTempFolder.h"
#include "text/tests/WindowTestSupport.h"

namespace {

using windowtest::Pump;
namespace vp = vel::platform;

class EditJournalTest : public testing::Test {
protected:
    void SetUp() override
    {
        host = windowtest::CreateHostWindow(L"VelJournalHost", 600, 400);
        ASSERT_NE(host, nullptr);
        ASSERT_TRUE(edit.Create(host, windowtest::MemoFaceSettings(), WS_CHILD | WS_VISIBLE, L"edit", 1));
        hold = folder.Path() + u"DefBackup_0001r.dum";
        journal = CEditJournal::JournalPathFor(hold);
        header.newMemo = false;
        header.folder = folder.Path() + u"memo\\";
        header.file = u"memo.txt";
        ASSERT_TRUE(edit.Journal().Start(hold, [this] { return header; }));
    }
    void TearDown() override
    {
        edit.Journal().End();
        edit.DestroyWindow();
        DestroyWindow(host);
        Pump();
    }

    void Type(std::u16string_view text) { windowtest::TypeInto(edit.Handle(), text); }

    // What the journal file holds; false when there is none or it is not whole.
    bool ReadJournal(CJournalHeader& read, std::u16string& text)
    {
        edit.Journal().Flush();
        std::vector<std::uint8_t> bytes;
        return vp::ReadWholeFile(journal, bytes) && CMemoJournal::Decode(bytes.data(), bytes.size(), read, text);
    }
    bool JournalExists()
    {
        edit.Journal().Flush();
        return vp::ReadAttributes(journal).exists;
    }
    // Types KEY every few milliseconds, with or without a timer tick after each, until a journal
    // is there: the milliseconds from START, or 0 when none came in three quiet times.
    DWORD TypeUntilJournaled(DWORD start, char16_t key, bool withTimer)
    {
        while (GetTickCount() - start < 3 * CEditJournal::kQuiet) {
            Type(std::u16string(1, key));
            if (withTimer)
                edit.Journal().OnTimer();
            if (JournalExists())
                return GetTickCount() - start;
            Sleep(30);
        }
        return 0;
    }
    // The journal came one quiet time after the first change, give or take a look; its text.
    std::u16string TextJournaledInTime(DWORD written)
    {
        EXPECT_GE(written + 100, CEditJournal::kQuiet);
        EXPECT_LE(written, CEditJournal::kQuiet + 500);
        CJournalHeader read;
        std::u16string text;
        EXPECT_TRUE(ReadJournal(read, text));
        return text;
    }

    CTempFolder folder;
    HWND host = nullptr;
    CEditExp edit;
    std::u16string hold;
    std::u16string journal;
    CJournalHeader header;
};

TEST_F(EditJournalTest, HoldsTheWindowsTextAndTheMemoItBelongsTo)
{
    EXPECT_TRUE(vp::IsFileHeld(hold));
    edit.Journal().WriteNow();
    EXPECT_FALSE(JournalExists()) << "an unmodified memo needs no journal";

    Type(u"一行目\r二行目 𠮷");
    edit.Journal().WriteNow();
    CJournalHeader read;
    std::u16string text;
    ASSERT_TRUE(ReadJournal(read, text));
    EXPECT_FALSE(read.newMemo);
    EXPECT_EQ(read.folder, header.folder);
    EXPECT_EQ(read.file, u"memo.txt");
    EXPECT_EQ(text, u"一行目\r\n二行目 𠮷");

    // A newer journal replaces the older one whole.
    header.newMemo = true;
    header.file.clear();
    Type(u"!");
    edit.Journal().WriteNow();
    ASSERT_TRUE(ReadJournal(read, text));
    EXPECT_TRUE(read.newMemo);
    EXPECT_EQ(text, u"一行目\r\n二行目 𠮷!");
}

TEST_F(EditJournalTest, AWriteBackEmptiesItAndACleanEndRemovesItAndLetsGo)
{
    Type(u"abc");
    edit.Journal().WriteNow();
    ASSERT_TRUE(JournalExists());
    edit.Journal().MemoSaved();
    EXPECT_FALSE(JournalExists());
    edit.Journal().WriteNow();
    EXPECT_FALSE(JournalExists()) << "nothing changed since the write-back";

    Type(u"d");
    edit.Journal().WriteNow();
    ASSERT_TRUE(JournalExists());
    edit.Journal().End();
    EXPECT_FALSE(JournalExists());
    EXPECT_FALSE(vp::IsFileHeld(hold));
}

TEST_F(EditJournalTest, KeepBringsItUpToDateAndLetsGoForTheNextStart)
{
    Type(u"not written back");
    edit.Journal().Keep();
    EXPECT_FALSE(vp::IsFileHeld(hold));
    CJournalHeader read;
    std::u16string text;
    ASSERT_TRUE(ReadJournal(read, text));
    EXPECT_EQ(text, u"not written back");
}

TEST_F(EditJournalTest, TypingThatNeverPausesIsStillJournaled)
{
    edit.Journal().OnTimer();  // a look that finds nothing new: the clock starts after it
    const DWORD start = GetTickCount();
    Type(u"a");
    edit.Journal().OnTimer();
    EXPECT_FALSE(JournalExists()) << "not at once after a change";
    // Keys keep coming, never resting: the clock runs from the first change the journal lacks.
    const DWORD written = TypeUntilJournaled(start, u'b', true);
    ASSERT_NE(written, 0u) << "never journaled while typing went on";
    EXPECT_EQ(TextJournaledInTime(written).substr(0, 2), u"ab");
}

TEST_F(EditJournalTest, KeysThatNeverLetTheTimerThroughAreJournaledToo)
{
    // The window's queue never empties, so no timer message comes: the keys alone keep the clock.
    const DWORD written = TypeUntilJournaled(GetTickCount(), u'k', false);
    ASSERT_NE(written, 0u) << "never journaled while keys kept the timer out";
    const std::u16string text = TextJournaledInTime(written);
    EXPECT_EQ(text.find_first_not_of(u'k'), std::u16string::npos) << "only what was typed";
    EXPECT_GE(text.size(), 2u);
}

TEST_F(EditJournalTest, AnotherHolderIsRefused)
{
    CEditJournal second(edit);
    EXPECT_FALSE(second.Start(hold, [this] { return header; })) << "one journal per reserved file";
}

}  // namespace
