#pragma once
// Writes a document as a memo file, or as one of the two plain-text exports.
#include <string>
#include <vector>

class CMemoSource;
class CMemoPictureStore;

// What became of a save.
struct CMemoWriteResult {
    enum Status {
        kWritten,       // the file holds the whole document
        kPictureFailed, // the file holds the whole text, but some pictures could not be stored
        kNotWritten,    // nothing was written; the old file, if any, is as it was
    };
    Status status = kNotWritten;
    // Pictures whose file could not be stored, in document order. Their tags name the file they
    // already had, except for those in omittedPictureIds, which never had one: their tags are
    // left out, so the memo will not show them when it is read again.
    std::vector<int> failedPictureIds;
    std::vector<int> omittedPictureIds;

    // True only for a complete save, so that a plain test of the result never takes a save
    // that lost pictures for a success.
    explicit operator bool() const { return status == kWritten; }
};

// The file's text before encoding, and which chapters made it in.
struct CMemoComposition {
    std::u16string text;
    int handled = 0; // chapters written into the text
    std::vector<int> failedPictureIds;
    std::vector<int> omittedPictureIds;
};

class CMemoWriter {
public:
    enum SaveType { kMemoFormat = 0, kWithoutParagraphs = 1, kParagraphsAsSpaces = 2 };

    CMemoWriter(const CMemoSource& source, CMemoPictureStore& pictures) : m_source(source), m_pictures(pictures) {}

    // Writes every chapter to path. The old file is replaced only once the new content is
    // complete on disk; when nothing could be written, or no chapter was handled, it is left as
    // it was. A picture that cannot be stored never stops the text from being written.
    // withAttributes adds the picture sizes to the tags (memo format only).
    CMemoWriteResult WriteFile(const std::u16string& path, int saveType, bool withAttributes);

    // The file's text. Asks the picture store to store every picture; one that fails is listed
    // and its tag names its existing file, or is left out. May throw std::bad_alloc.
    CMemoComposition Compose(int saveType, bool withAttributes);

    // File bytes for the text: the code page when it holds the text exactly, otherwise
    // UTF-16 little-endian with the byte-order mark FF FE.
    static std::string EncodeFile(const std::u16string& text);

private:
    void AppendText(std::u16string& out, std::u16string_view text, std::size_t index, int saveType) const;
    // False when the picture has no file to name and its tag was left out.
    bool AppendPicture(CMemoComposition& out, int indent, int pictureId, int saveType, bool withAttributes);

    const CMemoSource& m_source;
    CMemoPictureStore& m_pictures;
};
