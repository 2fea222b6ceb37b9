#include "app/CFileName.h"

#include <cstdio>

#include "app/CFileNameMessages.h"
#include "platform/DocumentsFolder.h"
#include "platform/FileSystem.h"
#include "text/CMessageText.h"

namespace vp = vel::platform;

namespace {

constexpr char16_t kSeparator = u'\\';
constexpr int kLastSerial = 998;
constexpr int kLastTempNumber = 9999;

std::u16string Ascii(const char* text)
{
    std::u16string out;
    for (; *text; ++text)
        out.push_back(static_cast<char16_t>(static_cast<unsigned char>(*text)));
    return out;
}

std::u16string Format(const char* format, int value)
{
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, format, value);
    return Ascii(buffer);
}


// The last path component, ignoring one trailing separator.
std::u16string LastComponent(std::u16string path)
{
    if (!path.empty() && path.back() == kSeparator)
        path.pop_back();
    return CFileName::FileName(path);
}

// Both separators name the same folder; the system reports folders without a trailing one.
std::u16string ComparableFolder(const std::u16string& folder)
{
    std::u16string out = CFileName::ToLower(folder);
    for (char16_t& c : out)
        if (c == u'/')
            c = kSeparator;
    return CFileName::AddSeparator(out);
}

} // namespace

std::u16string CFileName::FileName(const std::u16string& path)
{
    const std::size_t slash = path.rfind(kSeparator);
    return slash == std::u16string::npos ? path : path.substr(slash + 1);
}

std::u16string CFileName::Extension(const std::u16string& path)
{
    // Taken from the file name only, so that a dot in a folder name is no extension.
    const std::u16string name = FileName(path);
    const std::size_t dot = name.rfind(u'.');
    return dot == std::u16string::npos ? std::u16string() : name.substr(dot + 1);
}

std::u16string CFileName::Title(const std::u16string& path)
{
    std::u16string name = FileName(path);
    const std::u16string ext = Extension(path);
    if (!ext.empty())
        name.resize(name.size() - ext.size() - 1);
    return name;
}

std::u16string CFileName::Directory(const std::u16string& path)
{
    return path.substr(0, path.size() - FileName(path).size());
}

std::u16string CFileName::RelativeDirectory(const std::u16string& path, const std::u16string& base)
{
    const std::u16string folder = Directory(path);
    return folder.size() <= base.size() ? std::u16string() : folder.substr(base.size());
}

std::u16string CFileName::AddSeparator(const std::u16string& folder)
{
    if (!folder.empty() && folder.back() == kSeparator)
        return folder;
    return folder + kSeparator;
}

std::u16string CFileName::ToLower(std::u16string text)
{
    for (char16_t& c : text) {
        if ((c >= u'A' && c <= u'Z') || (c >= 0xC0 && c <= 0xDE && c != 0xD7) || (c >= 0xFF21 && c <= 0xFF3A))
            c = static_cast<char16_t>(c + 0x20);
    }
    return text;
}

bool CFileName::IsInside(const std::u16string& path, const std::u16string& folder)
{
    return path.size() >= folder.size() && ToLower(path.substr(0, folder.size())) == ToLower(folder);
}

std::u16string CFileName::PrefixName(const std::u16string& folder, const std::u16string& prefix)
{
    return folder + prefix + u"_";
}

std::u16string CFileName::CompanionName(const std::u16string& path, int number, const std::u16string& ext)
{
    return ToLower(Title(path) + u"_" + Format("%d", number) + u"." + ext);
}

bool CFileName::IsDirectory(const std::u16string& path)
{
    const vp::FileAttributes a = vp::ReadAttributes(path);
    return a.exists && a.directory;
}

bool CFileName::IsUsableDirectory(const std::u16string& path)
{
    const std::u16string last = LastComponent(path);
    return last != u"." && last != u".." && IsDirectory(path);
}

bool CFileName::IsMemoFolder(const std::u16string& path)
{
    const std::u16string last = LastComponent(path);
    return last != u"." && last != u".." && last != u"cntlbasepic" && IsDirectory(path);
}

bool CFileName::IsWritableDirectory(const std::u16string& path)
{
    const vp::FileAttributes a = vp::ReadAttributes(path);
    return a.exists && a.directory && !a.readOnly;
}

bool CFileName::IsReadableFile(const std::u16string& path)
{
    const vp::FileAttributes a = vp::ReadAttributes(path);
    return a.exists && !a.directory && !a.system;
}

bool CFileName::IsWritableFile(const std::u16string& path)
{
    const vp::FileAttributes a = vp::ReadAttributes(path);
    return a.exists && !a.directory && !a.readOnly && !a.system;
}

bool CFileName::IsPictureFile(const std::u16string& path)
{
    const std::u16string ext = Extension(path);
    const bool picture = ext == u"bmp" || ext == u"jpg" || ext == u"tif" || ext == u"png" || ext == u"gif";
    return picture && IsReadableFile(path);
}

bool CFileName::IsCompanionOf(const std::u16string& found, const std::u16string& title)
{
    const std::u16string foundTitle = Title(found);
    return !foundTitle.empty() && foundTitle != title && IsInside(foundTitle, title);
}

std::u16string CFileName::DefaultMemoBase()
{
    return DefaultMemoBase(vp::DocumentsFolder());
}

std::u16string CFileName::DefaultMemoBase(const std::u16string& documentsFolder)
{
    if (!IsDirectory(documentsFolder))
        return documentsFolder;
    std::u16string path = AddSeparator(documentsFolder);
    for (const char16_t* part : {u"Norvaly", u"VelText"}) {
        path += part;
        const vp::FileAttributes a = vp::ReadAttributes(path);
        if (!a.exists)
            vp::MakeDirectory(path);
        else if (!a.directory)
            return {};
        path = AddSeparator(path);
    }
    return path;
}

std::u16string CFileName::TimeStamp(const vp::LocalDateTime& now)
{
    static constexpr const char16_t* kDays[] = {u"(日)", u"(月)", u"(火)", u"(水)", u"(木)", u"(金)", u"(土)"};
    std::u16string stamp = Format("%04d", now.year) + u"年" + Format("%02d", now.month) + u"月" +
                           Format("%02d", now.day) + u"日" + Format("%02d", now.hour) + u"時" +
                           Format("%02d", now.minute) + u"分" + Format("%02d", now.second) + u"秒";
    stamp += (now.dayOfWeek >= 0 && now.dayOfWeek <= 6) ? kDays[now.dayOfWeek] : u"(＊)";
    return stamp;
}

bool CFileName::NewMemoFolder(const std::u16string& base, std::u16string& folder, std::u16string& fileName)
{
    return NewMemoFolder(base, vp::CurrentLocalTime(), folder, fileName);
}

bool CFileName::NewMemoFolder(const std::u16string& base, const vp::LocalDateTime& now, std::u16string& folder,
                              std::u16string& fileName)
{
    const vp::FileAttributes a = vp::ReadAttributes(base);
    if (!a.exists || !a.directory || a.readOnly || a.system)
        return false;
    const std::u16string stamp = TimeStamp(now);
    const std::u16string root = AddSeparator(base);
    std::u16string serial;
    std::u16string candidate;
    for (int i = 1; i <= kLastSerial; ++i) {
        serial = Format("%03d", i);
        candidate = root + stamp + u"_" + serial;
        if (!vp::ReadAttributes(candidate).exists && vp::MakeDirectory(candidate))
            break;
    }
    folder = AddSeparator(candidate);
    fileName = stamp + u"_" + serial + u".txt";
    return true;
}

std::u16string CFileName::UniqueFileName(const std::u16string& folder, const std::u16string& base,
                                         const std::u16string& ext)
{
    const vp::FileAttributes a = vp::ReadAttributes(folder);
    if (!a.exists) {
        if (!vp::MakeDirectory(folder))
            return {};
    } else if (!a.directory || a.readOnly || a.system) {
        return {};
    }
    const std::u16string stem = AddSeparator(folder) + base + u"_";
    for (int i = 1; i <= kLastSerial; ++i) {
        const std::u16string name = stem + Format("%03d", i) + u"." + ext;
        if (!vp::ReadAttributes(name).exists)
            return name;
    }
    return {};
}

std::u16string CFileName::ReserveTempFile(const std::u16string& folder, const std::u16string& prefix)
{
    const std::u16string root = AddSeparator(folder);
    for (int i = 1; i <= kLastTempNumber; ++i) {
        const std::u16string stem = prefix + Format("_%04dr", i);
        if (!vp::ListMatching(root, stem + u"*.*").empty())
            continue;
        const std::u16string path = root + stem + u".dum";
        auto file = vp::CreateNewFile(path);
        if (!file || !file->Write("\r\n", 2) || !file->Commit())
            return {};
        return path;
    }
    return {};
}

bool CFileName::CheckSaveTarget(const std::u16string& path, CMessageSink& messages)
{
    namespace m = file_name_messages;
    const char16_t* failure = nullptr;
    if (path.empty())
        failure = m::kNoFileName;
    else if (IsDirectory(path))
        failure = m::kIsDirectory;
    else if (!IsDirectory(Directory(path)))
        failure = m::kNoFolder;
    else if (!IsUsableDirectory(Directory(path)))
        failure = m::kReadOnlyFolder;
    else if (!vp::CanOpenForReading(path))
        return true; // a new file
    else {
        const vp::FileAttributes a = vp::ReadAttributes(path);
        if (!a.exists)
            failure = m::kCannotSave;
        else if (a.readOnly)
            failure = m::kReadOnlyFile;
        else if (a.system)
            failure = m::kSystemFile;
        else if (a.directory)
            failure = m::kIsDirectory;
    }
    if (!failure)
        return true;
    messages.Show(WithPath(failure, path));
    return false;
}

bool CFileName::CheckSaveTargetWithCompanions(const std::u16string& path, CMessageSink& messages)
{
    if (!CheckSaveTarget(path, messages))
        return false;
    const std::u16string folder = Directory(path);
    const std::u16string title = Title(path);
    for (const std::u16string& name : vp::ListMatching(folder, title + u"_*.*")) {
        if (IsCompanionOf(name, title) && !CheckSaveTarget(folder + name, messages))
            return false;
    }
    return true;
}

void CFileName::DeleteCompanions(const std::u16string& path)
{
    const std::u16string folder = Directory(path);
    const std::u16string title = Title(path);
    for (const std::u16string& name : vp::ListMatching(folder, title + u"_*.*")) {
        if (IsCompanionOf(name, title))
            vp::RemoveFile(folder + name);
    }
}

bool CFileName::DeleteFolderFiles(const std::u16string& folder)
{
    if (!IsWritableDirectory(folder))
        return false;
    const std::u16string root = AddSeparator(folder);
    for (const std::u16string& name : vp::ListMatching(root, u"*.*")) {
        const std::u16string path = root + name;
        if (IsWritableFile(path))
            vp::RemoveFile(path);
    }
    return true;
}

void CFileName::RemoveMemoFolder(const std::u16string& folder, const std::u16string& otherFolder)
{
    if (!DeleteFolderFiles(folder))
        return;
    // The system names the current folder without a trailing separator and in any case; a
    // folder that is current cannot be removed, so compare what the two strings name.
    if (ComparableFolder(vp::WorkingDirectory()) == ComparableFolder(folder))
        vp::SetWorkingDirectory(otherFolder);
    vp::RemoveFolder(folder);
}
