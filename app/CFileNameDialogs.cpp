// The open and save dialogs of the memo store, on the framework's file dialog.
#include "app/CFileName.h"

#include "app/CVelTextApp.h"
#include "framework/CFileDialog.h"
#include "framework/CFrameWnd.h"

namespace {

std::wstring Wide(const std::u16string& text)
{
    return std::wstring(text.begin(), text.end());
}

std::u16string Narrow(const std::wstring& text)
{
    return std::u16string(text.begin(), text.end());
}

// A filter written as the dialog's own double-zero list ("name\0pattern\0...") or as
// "name|pattern|..." becomes display/pattern pairs.
CFileDialog::Filter ParseFilter(const std::u16string& filter)
{
    CFileDialog::Filter pairs;
    std::vector<std::wstring> parts;
    std::wstring part;
    for (char16_t c : filter) {
        if (c == u'|' || c == 0) {
            parts.push_back(part);
            part.clear();
        } else {
            part += static_cast<wchar_t>(c);
        }
    }
    if (!part.empty())
        parts.push_back(part);
    for (std::size_t i = 0; i + 1 < parts.size(); i += 2) {
        if (!parts[i].empty())
            pairs.emplace_back(parts[i], parts[i + 1]);
    }
    return pairs;
}

HWND MainWindow()
{
    CWinApp* app = CWinApp::Current();
    return app && app->MainWnd() ? app->MainWnd()->Handle() : nullptr;
}

CFileDialog::Style ChosenStyle()
{
    const CVelTextApp* app = CVelTextApp::Current();
    return CFileDialog::StyleFromSetting(app ? app->FileDlg() : 0);
}

} // namespace

bool CFileName::OpenFileDialog(const std::u16string& title, const std::u16string& filter, const std::u16string& folder,
                               std::u16string& path)
{
    std::wstring chosen;
    if (!CFileDialog::Open(MainWindow(), Wide(title), ParseFilter(filter), Wide(AddSeparator(folder)), ChosenStyle(),
                           chosen))
        return false;
    path = Narrow(chosen);
    return true;
}

bool CFileName::SaveFileDialog(const std::u16string& folder, const std::u16string& currentPath, std::u16string& path,
                               const std::u16string& title, const std::u16string& filter)
{
    const std::u16string proposed = currentPath.empty() ? u"memo" : FileName(currentPath);
    const CFileDialog::Filter pairs = filter.empty()
                                          ? CFileDialog::Filter{{L"テキストファイル (*.txt)", L"*.txt"},
                                                                {L"すべてのファイル (*.*)", L"*.*"}}
                                          : ParseFilter(filter);
    std::wstring chosen;
    if (!CFileDialog::Save(MainWindow(), Wide(title), pairs, Wide(folder), Wide(proposed), L"txt", ChosenStyle(),
                           chosen))
        return false;
    path = Narrow(chosen);
    return true;
}
