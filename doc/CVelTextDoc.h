#pragma once
// The framework document of the memo window. The memo itself lives in the text edit window's
// document list; the document keeps the path of the opened file and the picture-saving choices,
// writes the open memo back whenever another one is shown or the window closes, and carries out
// Save and Save As.
#include <string>
#include <vector>

#include "framework/CDocument.h"
#include "framework/CMessageMap.h"

class CAppSettings;
class CVelTextView;

class CVelTextDoc : public CDocument {
public:
    // How writing the open memo back ended.
    enum class SaveOutcome {
        kNothingToSave,  // not modified: nothing was written
        kWritten,        // written to its memo file in the memo store
        kWrittenAsNew,   // written as a new memo of the current memo base
        kFailed,         // nothing could be written; the text stays in the window, still modified
    };

    CVelTextDoc();

    bool OnNewDocument() override;
    bool OnOpenDocument(const std::wstring& path) override;
    // The memo is written back before any other content replaces it.
    void DeleteContents() override;
    bool OnCmdMsg(UINT id, CCmdUI* ui) override;

    const std::wstring& FilePath() const { return m_filePath; }
    // "jpg", "bmp", "png", "tif" or "gif" for the setting "Save Ext" (anything else: "jpg").
    static std::wstring PictureTypeFor(int saveExt);
    const std::wstring& PictureType() const { return m_pictureType; }
    int PictureQuality() const { return m_pictureQuality; }
    void SetPictureChoices(int saveExt, int quality);

    // Writes the open memo back when it changed: into its memo file, or as a new memo of the
    // current memo base. With cleanUp (the window goes) the leftover temporary files of the
    // memo bases are removed when no other copy runs.
    SaveOutcome SaveMemo(bool cleanUp);
    // Shows the file given to the last open in the view.
    bool OpenMemo();
    // Writes the journals of copies that died as new memos; the view calls it at start-up, once
    // its own journal is reserved, and every clean-up calls it again.
    void RecoverJournals();
    // Memos written from the journals of copies that died, newest last; the view shows the
    // last one at start-up.
    const std::vector<std::wstring>& RecoveredMemos() const { return m_recovered; }

    // The oldest memo folders beyond the "Save Max" limit, never the one given; they go to the
    // Recycle Bin where there is one. Exposed for tests.
    static void PruneMemoBase(const std::u16string& base, int limit, const std::u16string& keep);

private:
    void OnFileSave();
    void OnFileSaveAs();

    CVelTextView* View() const;
    const CAppSettings* Settings() const;
    // True when the text is on disk (a picture that could not be stored is reported by the worker).
    bool WriteTo(const std::wstring& path, int saveType);
    void NoteSavedOutside(int saveType);
    void ReportSaveFailure(const std::wstring& where) const;
    bool WriteAsNewMemo(std::u16string& folder, std::u16string& fileName);
    void RemoveLeftoverTempFiles(const std::u16string& ownStem) const;
    void RecoverJournals(const std::u16string& ownStem);
    std::u16string CurrentBaseFolder() const;

    static const CommandEntry<CVelTextDoc> kCommandMap[];

    std::wstring m_filePath;
    std::vector<std::wstring> m_recovered;
    std::wstring m_pictureType = L"jpg";
    int m_pictureQuality = 95;
};
