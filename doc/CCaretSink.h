#pragma once
// Where the document list puts the system caret: the edit window implements it; the caret is one
// pixel wide and made anew only when its height changes.
class CCaretSink {
public:
    virtual ~CCaretSink() = default;
    virtual void PlaceCaret(int x, int y, int height) = 0;
};
