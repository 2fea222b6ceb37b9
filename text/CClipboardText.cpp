#include "text/CClipboardText.h"

#include "text/CTextCodec.h"

#include <cstring>

namespace {

// A movable, zero-filled, shareable block holding bytes followed by zero padding; owned until
// the clipboard takes it.
class GlobalBlock {
public:
    GlobalBlock(const void* bytes, size_t count, size_t padding)
        : m_handle(GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT | GMEM_DDESHARE, count + padding))
    {
        if (!m_handle)
            return;
        void* target = GlobalLock(m_handle);
        if (!target) {
            GlobalFree(m_handle);
            m_handle = nullptr;
            return;
        }
        if (count > 0)
            std::memcpy(target, bytes, count);
        GlobalUnlock(m_handle);
    }
    ~GlobalBlock()
    {
        if (m_handle)
            GlobalFree(m_handle);
    }
    GlobalBlock(const GlobalBlock&) = delete;
    GlobalBlock& operator=(const GlobalBlock&) = delete;

    explicit operator bool() const { return m_handle != nullptr; }
    // The clipboard owns the block once SetClipboardData succeeded.
    bool GiveTo(UINT format)
    {
        if (!m_handle || !SetClipboardData(format, m_handle))
            return false;
        m_handle = nullptr;
        return true;
    }

private:
    HGLOBAL m_handle;
};

// The bytes of a clipboard block, never read past its size.
std::string BlockBytes(HANDLE handle)
{
    const SIZE_T size = GlobalSize(handle);
    const void* data = GlobalLock(handle);
    if (!data)
        return {};
    std::string bytes(static_cast<const char*>(data), size);
    GlobalUnlock(handle);
    return bytes;
}

}  // namespace

bool CClipboardText::Put(HWND owner, std::u16string_view text)
{
    std::string ansi;
    const bool exact = CTextCodec::EncodeExactly(text, ansi);
    GlobalBlock ansiBlock(ansi.data(), ansi.size(), 1);
    if (!ansiBlock)
        return false;
    GlobalBlock wideBlock(text.data(), exact ? 0 : text.size() * sizeof(char16_t), sizeof(char16_t));
    if (!exact && !wideBlock)
        return false;

    CClipboardSession clipboard(owner);
    if (!clipboard.IsOpen() || !EmptyClipboard())
        return false;
    if (!ansiBlock.GiveTo(CF_TEXT))
        return false;
    if (!exact)
        wideBlock.GiveTo(CF_UNICODETEXT);
    return true;
}

std::optional<std::u16string> CClipboardText::Get(HWND owner)
{
    const bool wide = IsClipboardFormatAvailable(CF_UNICODETEXT) != FALSE;
    if (!wide && !HasText())
        return std::nullopt;
    CClipboardSession clipboard(owner);
    if (!clipboard.IsOpen())
        return std::nullopt;
    HANDLE data = GetClipboardData(wide ? CF_UNICODETEXT : CF_TEXT);
    if (!data)
        return std::nullopt;
    const std::string bytes = BlockBytes(data);
    if (wide) {
        std::u16string text(bytes.size() / sizeof(char16_t), u'\0');
        std::memcpy(text.data(), bytes.data(), text.size() * sizeof(char16_t));
        text.resize(std::char_traits<char16_t>::length(text.c_str()));
        return text;
    }
    // Format 1 is cut at its first zero byte and read like a file.
    return CTextCodec::Decode(bytes.data(), std::strlen(bytes.c_str()));
}
