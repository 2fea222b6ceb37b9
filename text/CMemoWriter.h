#pragma once
// Writes a document as a memo file, or as one of the two plain-text exports.
#include <string>

class CMemoSource;
class CMemoPictureStore;

class CMemoWriter {
public:
    enum SaveType { kMemoFormat = 0, kWithoutParagraphs = 1, kParagraphsAsSpaces = 2 };

    CMemoWriter(const CMemoSource& source, CMemoPictureStore& pictures) : m_source(source), m_pictures(pictures) {}

    // Writes every chapter to path. The old file is replaced only once the new content is
    // complete on disk; on any failure it is left as it was and the result is false. Also
    // false when no chapter was handled. withAttributes adds the picture sizes to the tags
    // (memo format only).
    bool WriteFile(const std::u16string& path, int saveType, bool withAttributes);

    // The file's text before encoding; false when a picture could not be stored.
    bool Compose(int saveType, bool withAttributes, std::u16string& text, int& handled);

    // File bytes for the text: the code page when it holds the text exactly, otherwise
    // UTF-16 little-endian with the byte-order mark FF FE.
    static std::string EncodeFile(const std::u16string& text);

private:
    void AppendText(std::u16string& out, std::u16string_view text, std::size_t index, int saveType) const;
    bool AppendPicture(std::u16string& out, int indent, int pictureId, int saveType, bool withAttributes);

    const CMemoSource& m_source;
    CMemoPictureStore& m_pictures;
};
