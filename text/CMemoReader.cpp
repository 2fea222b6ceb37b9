#include "text/CMemoReader.h"

#include <cstdint>
#include <new>
#include <vector>

#include "platform/FileSystem.h"
#include "text/CLineSplitter.h"
#include "text/CMemoPictureLoader.h"
#include "text/CMemoSink.h"
#include "text/CPictureTag.h"
#include "text/CTagScanner.h"
#include "text/CTextCodec.h"

std::u16string CMemoReader::FolderOf(std::u16string_view path)
{
    const std::size_t slash = path.rfind(u'\\');
    return slash == std::u16string_view::npos ? std::u16string() : std::u16string(path.substr(0, slash + 1));
}

bool CMemoReader::ReadFile(const std::u16string& path)
{
    std::u16string text;
    try {
        std::vector<std::uint8_t> bytes;
        if (!vel::platform::ReadWholeFile(path, bytes))
            return false;
        // A memo whose text was all deleted is saved as 0 bytes (another editor may leave just
        // a byte-order mark): it opens as an empty memo.
        if (CTextCodec::IsEmptyText(bytes.data(), bytes.size()))
            return true;
        text = CTextCodec::Decode(bytes.data(), bytes.size());
    } catch (const std::bad_alloc&) {
        return false; // a file too large to hold is a file that cannot be read
    }
    if (text.empty())
        return false;
    return ReadLines(text, path, false);
}

bool CMemoReader::ReadLines(std::u16string_view text, const std::u16string& sourcePath, bool fromClipboard)
{
    const std::u16string folder = FolderOf(sourcePath);
    CLineSplitter lines(text);
    std::u16string_view line;
    bool lineEnd = false;
    while (lines.Next(line, lineEnd)) {
        if (CTagScanner::IsPageLine(line)) {
            m_sink.SetPageBreakBeforeCaret();
            continue;
        }
        CPictureTag tag;
        if (CPictureTag::Parse(line, fromClipboard, tag)) {
            const bool bare = tag.src.find(u'\\') == std::u16string::npos;
            const std::u16string path = bare ? folder + tag.src : tag.src;
            if (m_pictures.LoadAtCaret(path, tag))
                continue;
        }
        m_sink.InsertLine(line, lineEnd);
    }
    return true;
}
