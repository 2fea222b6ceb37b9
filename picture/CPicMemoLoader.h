#pragma once
// The memo reader's picture side: a picture line becomes a load request to the picture worker
// and, when the picture could be read, a picture chapter before the caret framed as its tag
// says. The library copy is released again at once; editing takes the picture over anew.
#include <string>
#include <string_view>

#include "text/CMemoPictureLoader.h"

class CDocList;
class CPicList;
class CPicRequester;

class CPicMemoLoader : public CMemoPictureLoader {
public:
    CPicMemoLoader(CDocList& doc, CPicList& pictures, CPicRequester& worker);

    // Before a memo file is read: the files its tags name are kept from being overwritten by
    // working copies or saved pictures, also before their own tag has been read. False when the
    // file cannot be read (nothing is protected then; the reader fails the same way).
    bool PrepareFile(const std::u16string& memoPath);
    void PrepareText(std::u16string_view text, const std::u16string& sourcePath);

    bool LoadAtCaret(const std::u16string& path, const CPictureTag& tag) override;

    // The id a picture read from path gets: the number of its name when it is one of the memo's
    // own picture files (<title>_<n>.<ext> in the memo folder) and free, otherwise the smallest
    // free id whose working copy would not overwrite a file that a tag names.
    int ChooseId(const std::u16string& path) const;
    // The working copy the worker writes for a picture id.
    std::u16string WorkingCopyName(int id) const;
    int LastId() const { return m_lastId; }

private:
    bool WorkingCopyAllowed(int id, const std::u16string& source) const;

    CDocList& m_doc;
    CPicList& m_pictures;
    CPicRequester& m_worker;
    int m_lastId = -1;
};
