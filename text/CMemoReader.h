#pragma once
// Reads a memo file or clipboard text into a document, line by line.
#include <string>
#include <string_view>

class CMemoSink;
class CMemoPictureLoader;

class CMemoReader {
public:
    CMemoReader(CMemoSink& sink, CMemoPictureLoader& pictures) : m_sink(sink), m_pictures(pictures) {}

    // Reads and decodes the whole file and inserts it. False when the file cannot be read or
    // decodes to nothing; nothing is inserted then. An empty file (0 bytes, or only a byte-order
    // mark) is an empty memo: true, and nothing is inserted.
    bool ReadFile(const std::u16string& path);

    // Inserts text at the caret. sourcePath names the file the text came from (its folder
    // resolves bare picture names); it is empty for clipboard text.
    bool ReadLines(std::u16string_view text, const std::u16string& sourcePath, bool fromClipboard);

    // Folder part of a path including its last "\"; empty when there is none.
    static std::u16string FolderOf(std::u16string_view path);

private:
    CMemoSink& m_sink;
    CMemoPictureLoader& m_pictures;
};
