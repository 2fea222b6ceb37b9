#pragma once
// Text on the system clipboard as the edit window puts and takes it: plain text in the system
// code page (format 1, a movable shared block of length + 1 bytes), and beside it UTF-16 when
// the code page cannot hold every character, so nothing turns into "?".
#include <windows.h>

#include <optional>
#include <string>
#include <string_view>

class CClipboardText {
public:
    // Opens the clipboard for owner, empties it and puts the text. False, with the clipboard
    // left as it was, when it cannot be opened, emptied or the block cannot be made.
    static bool Put(HWND owner, std::u16string_view text);
    // The clipboard's text: UTF-16 when the clipboard offers it, else the bytes of format 1
    // decoded like a memo file. None when there is no text or the clipboard cannot be opened.
    static std::optional<std::u16string> Get(HWND owner);

    static bool HasText() { return IsClipboardFormatAvailable(CF_TEXT) != FALSE; }
    static bool HasBitmap() { return IsClipboardFormatAvailable(CF_BITMAP) != FALSE; }
};

// The clipboard held open for one operation.
class CClipboardSession {
public:
    explicit CClipboardSession(HWND owner) : m_open(OpenClipboard(owner) != FALSE) {}
    ~CClipboardSession()
    {
        if (m_open)
            CloseClipboard();
    }
    CClipboardSession(const CClipboardSession&) = delete;
    CClipboardSession& operator=(const CClipboardSession&) = delete;

    bool IsOpen() const { return m_open; }

private:
    bool m_open;
};
