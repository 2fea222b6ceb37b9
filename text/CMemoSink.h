#pragma once
// Where the memo reader puts what it reads: the document list, at its caret.
#include <string_view>

class CMemoSink {
public:
    virtual ~CMemoSink() = default;
    // Inserts one line's text (leading TABs included) at the caret. With endsChapter the chapter
    // is split after it, so the next line starts a new chapter and the caret stands at its start.
    virtual void InsertLine(std::u16string_view text, bool endsChapter) = 0;
    // Sets the page-break flag of the chapter before the caret's chapter (none: nothing happens).
    virtual void SetPageBreakBeforeCaret() = 0;
};
