// Writing the open memo back: into its memo file, or as a new memo when it has none or its own
// cannot be written; the temporary files of the memo bases; the "Save Max" limit.
#include "doc/CVelTextDoc.h"

#include <shellapi.h>

#include <algorithm>
#include <vector>

#include "app/CAppSettings.h"
#include "app/CFileName.h"
#include "app/CJournalRecovery.h"
#include "app/CVelTextApp.h"
#include "app/VelTextMessages.h"
#include "app/WideText.h"
#include "doc/CDocList.h"
#include "doc/CDocumentTexts.h"
#include "doc/CVelTextView.h"
#include "framework/CFrameWnd.h"
#include "framework/CUserMessage.h"
#include "platform/FileSystem.h"
#include "text/CMessageText.h"

namespace {

constexpr int kMemoBases = 11;

void DeleteMatching(const std::u16string& folder, const std::u16string& pattern)
{
    if (folder.empty())
        return;
    for (const std::u16string& name : vel::platform::ListMatching(folder, pattern)) {
        const std::u16string path = folder + name;
        if (CFileName::IsWritableFile(path))
            vel::platform::RemoveFile(path);
    }
}

// The folder goes to the Recycle Bin, so that an unlucky limit can be undone; where there is
// none it is removed.
void DiscardMemoFolder(const std::u16string& folder, const std::u16string& otherFolder)
{
    std::wstring from = ToWide(folder);
    while (!from.empty() && from.back() == L'\\')
        from.pop_back();
    from.push_back(L'\0');  // the list ends with two zeros
    SHFILEOPSTRUCTW operation{};
    operation.wFunc = FO_DELETE;
    operation.pFrom = from.c_str();
    operation.fFlags = FOF_ALLOWUNDO | FOF_NOCONFIRMATION | FOF_NOERRORUI | FOF_SILENT;
    if (SHFileOperationW(&operation) == 0 && !operation.fAnyOperationsAborted && !CFileName::IsDirectory(folder))
        return;
    CFileName::RemoveMemoFolder(folder, otherFolder);
}

bool HasMemoFile(const std::u16string& folder)
{
    return !vel::platform::ListMatching(folder, u"*.txt").empty();
}

}  // namespace

std::u16string CVelTextDoc::CurrentBaseFolder() const
{
    const CVelTextView* view = View();
    const CAppSettings* settings = Settings();
    if (!settings)
        return {};
    const int base = view ? view->CurrentMemoBase() : 0;
    return CFileName::AddSeparator(ToU16(settings->ReadMemoBase(base).folder));
}

namespace {

std::vector<std::u16string> MemoBaseFolders(const CAppSettings& settings)
{
    std::vector<std::u16string> folders;
    for (int i = 0; i < kMemoBases; ++i) {
        const std::wstring folder = settings.ReadMemoBase(i).folder;
        if (!folder.empty())
            folders.push_back(CFileName::AddSeparator(ToU16(folder)));
    }
    return folders;
}

}  // namespace

void CVelTextDoc::RemoveLeftoverTempFiles(const std::u16string& ownStem) const
{
    const CAppSettings* settings = Settings();
    if (!settings)
        return;
    for (const std::u16string& base : MemoBaseFolders(*settings)) {
        const std::u16string pattern =
            CFileName::FileName(CFileName::PrefixName(base, document_texts::kTempFilePrefix)) + u"*";
        for (const std::u16string& name : vel::platform::ListMatching(base, pattern)) {
            // A running copy's files and journals not recovered stay.
            if (CFileName::IsWritableFile(base + name) && CJournalRecovery::MayRemove(base, name, ownStem))
                vel::platform::RemoveFile(base + name);
        }
    }
}

void CVelTextDoc::RecoverJournals()
{
    if (const CVelTextView* view = View())
        RecoverJournals(CJournalRecovery::StemOf(ToU16(view->TempFile())));
}

void CVelTextDoc::RecoverJournals(const std::u16string& ownStem)
{
    const CAppSettings* settings = Settings();
    if (!settings)
        return;
    std::vector<std::u16string> folders = MemoBaseFolders(*settings);
    folders.push_back(CFileName::DefaultMemoBase());
    bool any = false;
    for (std::size_t i = 0; i < folders.size(); ++i) {
        bool seen = false;
        for (std::size_t j = 0; j < i; ++j)
            seen = seen || CFileName::ToLower(folders[j]) == CFileName::ToLower(folders[i]);
        if (seen || folders[i].empty())
            continue;
        for (const std::u16string& path : CJournalRecovery::RecoverFolder(folders[i], ownStem)) {
            m_recovered.push_back(ToWide(path));
            any = true;
        }
    }
    if (any) {
        if (CVelTextApp* app = CVelTextApp::Current())
            app->PostToOtherInstances(kMsgRefreshMemoList);
    }
}

bool CVelTextDoc::WriteAsNewMemo(std::u16string& folder, std::u16string& fileName)
{
    const std::u16string base = CurrentBaseFolder();
    if (!CFileName::NewMemoFolder(base, folder, fileName))
        return false;
    if (WriteTo(ToWide(folder + fileName), 0))
        return true;
    // The folder made for it holds nothing: it goes again.
    vel::platform::RemoveFolder(folder);
    return false;
}

CVelTextDoc::SaveOutcome CVelTextDoc::SaveMemo(bool cleanUp)
{
    CVelTextView* view = View();
    if (!view || !view->EditWindow().Handle())
        return SaveOutcome::kNothingToSave;
    CVelTextApp* app = CVelTextApp::Current();
    const std::u16string memoFolder = ToU16(view->MemoFolder());
    const std::u16string memoFile = ToU16(view->MemoFileName());

    // What copies that died left in their journals is recovered before anything is cleaned up.
    const std::u16string ownStem = CJournalRecovery::StemOf(ToU16(view->TempFile()));
    if (cleanUp) {
        RecoverJournals(ownStem);
        if (app && !app->OtherInstanceExists())
            RemoveLeftoverTempFiles(ownStem);
    }

    SaveOutcome outcome = SaveOutcome::kNothingToSave;
    CDocList& doc = view->EditWindow().Doc();
    if (doc.Modified()) {
        const bool inStore = !memoFolder.empty() && !memoFile.empty();
        const std::u16string memoPath = memoFolder + memoFile;
        // A memo file the user made read-only is not written over.
        const bool writable = !vel::platform::ReadAttributes(memoPath).exists || CFileName::IsWritableFile(memoPath);
        if (inStore && writable && WriteTo(ToWide(memoPath), 0)) {
            outcome = SaveOutcome::kWritten;
        } else {
            // Nothing is removed before the text is safe in its new memo.
            std::u16string folder;
            std::u16string fileName;
            if (WriteAsNewMemo(folder, fileName)) {
                // The memo's old folder goes, unless the new memo took its place (it had vanished).
                if (inStore && CFileName::ToLower(memoFolder) != CFileName::ToLower(folder)) {
                    CFileName::RemoveMemoFolder(memoFolder, folder);
                    if (app)
                        app->PostToOtherInstances(kMsgRefreshMemoList);
                }
                view->SetMemoLocation(ToWide(folder), ToWide(fileName));
                if (const CAppSettings* settings = Settings(); settings && settings->SaveMax() >= 0)
                    PruneMemoBase(CurrentBaseFolder(), settings->SaveMax(), folder);
                if (app)
                    app->PostToOtherInstances(kMsgRefreshMemoList);
                outcome = SaveOutcome::kWrittenAsNew;
            } else {
                outcome = SaveOutcome::kFailed;
                ReportSaveFailure(ToWide(inStore ? memoFolder : CurrentBaseFolder()));
            }
        }
        if (outcome != SaveOutcome::kFailed) {
            doc.SetModified(false);
            view->EditWindow().Journal().MemoSaved();
        }
    }
    DeleteMatching(ToU16(view->MemoFolder()), std::u16string(document_texts::kDefaultVdc) + u"*");
    return outcome;
}

void CVelTextDoc::PruneMemoBase(const std::u16string& base, int limit, const std::u16string& keep)
{
    if (limit < 0 || base.empty())
        return;
    const std::u16string folder = CFileName::AddSeparator(base);
    std::vector<std::u16string> memos;
    for (const std::u16string& name : vel::platform::ListMatching(folder, u"*")) {
        const std::u16string path = folder + name;
        if (CFileName::IsMemoFolder(path) && HasMemoFile(CFileName::AddSeparator(path)))
            memos.push_back(CFileName::AddSeparator(path));
    }
    if (static_cast<int>(memos.size()) <= limit)
        return;
    // Newest first, as the memo list orders them: folder names begin with their creation time.
    std::sort(memos.begin(), memos.end(), [](const std::u16string& a, const std::u16string& b) {
        return CFileName::ToLower(a) > CFileName::ToLower(b);
    });
    const std::u16string kept = CFileName::ToLower(CFileName::AddSeparator(keep));
    int remaining = static_cast<int>(memos.size());
    for (auto it = memos.rbegin(); it != memos.rend() && remaining > limit; ++it) {
        if (CFileName::ToLower(*it) == kept)
            continue;
        DiscardMemoFolder(*it, folder);
        --remaining;
    }
}
