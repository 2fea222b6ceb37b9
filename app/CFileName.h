#pragma once
// Path, naming and save-check operations of the memo store on disk. Stateless.
#include <string>

#include "platform/LocalTime.h"

class CFileName {
public:
    // Where the save checks tell the user what is wrong (a message box, or a list in tests).
    class CMessageSink {
    public:
        virtual ~CMessageSink() = default;
        virtual void Show(const std::u16string& text) = 0;
    };

    virtual ~CFileName() = default;

    // Path pieces ("\" separates, "." marks the extension).
    static std::u16string FileName(const std::u16string& path);
    static std::u16string Extension(const std::u16string& path);
    static std::u16string Title(const std::u16string& path);
    static std::u16string Directory(const std::u16string& path);
    static std::u16string RelativeDirectory(const std::u16string& path, const std::u16string& base);
    static std::u16string AddSeparator(const std::u16string& folder);
    static bool IsInside(const std::u16string& path, const std::u16string& folder);
    static std::u16string PrefixName(const std::u16string& folder, const std::u16string& prefix);
    static std::u16string CompanionName(const std::u16string& path, int number, const std::u16string& ext);
    static std::u16string ToLower(std::u16string text);

    // File-system tests; a path whose attributes cannot be read fails each of them.
    static bool IsDirectory(const std::u16string& path);
    static bool IsUsableDirectory(const std::u16string& path);
    static bool IsMemoFolder(const std::u16string& path);
    static bool IsWritableDirectory(const std::u16string& path);
    static bool IsReadableFile(const std::u16string& path);
    static bool IsWritableFile(const std::u16string& path);
    static bool IsPictureFile(const std::u16string& path);
    static bool IsCompanionOf(const std::u16string& found, const std::u16string& title);

    // Creating names.
    static std::u16string DefaultMemoBase();
    static std::u16string DefaultMemoBase(const std::u16string& documentsFolder);
    static bool NewMemoFolder(const std::u16string& base, std::u16string& folder, std::u16string& fileName);
    static bool NewMemoFolder(const std::u16string& base, const vel::platform::LocalDateTime& now,
                              std::u16string& folder, std::u16string& fileName);
    static std::u16string TimeStamp(const vel::platform::LocalDateTime& now);
    static std::u16string UniqueFileName(const std::u16string& folder, const std::u16string& base,
                                         const std::u16string& ext);
    static std::u16string ReserveTempFile(const std::u16string& folder, const std::u16string& prefix);

    // Checks before saving; on failure exactly one message has been shown.
    static bool CheckSaveTarget(const std::u16string& path, CMessageSink& messages);
    static bool CheckSaveTargetWithCompanions(const std::u16string& path, CMessageSink& messages);

    // Removing.
    static void DeleteCompanions(const std::u16string& path);
    static bool DeleteFolderFiles(const std::u16string& folder);
    static void RemoveMemoFolder(const std::u16string& folder, const std::u16string& otherFolder);

    // The system's open and save dialogs, owned by the main window and in the look the "FileDlg"
    // setting chooses. Window side: defined in the Windows build only.
    static bool OpenFileDialog(const std::u16string& title, const std::u16string& filter, const std::u16string& folder,
                               std::u16string& path);
    static bool SaveFileDialog(const std::u16string& folder, const std::u16string& currentPath, std::u16string& path,
                               const std::u16string& title = u"", const std::u16string& filter = u"");
};
