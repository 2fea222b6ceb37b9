#pragma once
// The decoded pictures of one kind of background ("basecntl" behind the control bar, "baseview"
// and "graypic" behind the text), found in the kind's sub-folder of a stock folder beside the
// program (never deleted) and of a user folder under the default memo base (where the pictures
// the user adds are copied). The pictures are offered by position, counting only the shown ones:
// the committed list first, then the ones added and not yet committed. Removing a picture only
// hides it; Commit deletes the files of hidden user pictures and copies the added ones in, Reset
// shows the hidden ones again and drops the added ones.
#include <windows.h>

#include <string>

#include "doc/CTypeDataList.h"
#include "picture/CPictureIO.h"

class CBackPictureList {
public:
    static constexpr char16_t kCopyBaseName[] = u"SavePic";

    CBackPictureList() = default;
    virtual ~CBackPictureList() = default;
    CBackPictureList(const CBackPictureList&) = delete;
    CBackPictureList& operator=(const CBackPictureList&) = delete;

    // Keeps the folders and the kind (each given a trailing "\" unless empty) and adds the
    // pictures of the stock folder, then those of the user folder.
    void Init(const std::u16string& stockFolder, const std::u16string& userFolder, const std::u16string& kind);

    int Count() const;
    // The i-th shown picture, or none.
    CPictureIO* GetAt(int i) const;
    // The position of the last shown picture whose file is path; a picture whose file differs
    // only in letter case is taken when none matches exactly; 0 when there is none at all.
    int IndexOf(const std::u16string& path) const;
    // The file of GetAt(i), or "".
    std::u16string NameAt(int i) const;

    // Decodes path into a picture added at the end (not yet committed); false when it cannot.
    bool AddPending(const std::u16string& path);
    // Hides the i-th shown picture; false when there is none.
    bool Hide(int i);
    // Deletes the files of hidden user pictures and copies the added pictures into the user
    // folder (an added picture whose copy fails is dropped).
    void Commit();
    // Shows every hidden picture again and drops the added ones.
    void Reset();

    const std::u16string& StockFolder() const { return m_stockFolder; }
    const std::u16string& UserFolder() const { return m_userFolder; }
    const std::u16string& Kind() const { return m_kind; }

    // The folder of the running program with its "\", where the stock pictures stand.
    static std::u16string ProgramFolder();
    // The picture's bitmap tiled over area from its top-left corner, copied unchanged.
    static void PaintTiled(HDC dc, const RECT& area, const CPictureIO& picture);

private:
    void Scan(const std::u16string& folder, bool stock);
    // The user folder's copy of source, or "" when it could not be made.
    std::u16string CopyIn(const std::u16string& source) const;
    // Calls f(entry, position) for the shown entries in position order until f returns false.
    template <class F>
    void ForEachShown(F f) const;

    CTypeDataList<CPictureIO> m_primary;
    CTypeDataList<CPictureIO> m_pending;
    std::u16string m_stockFolder;
    std::u16string m_userFolder;
    std::u16string m_kind;
};
