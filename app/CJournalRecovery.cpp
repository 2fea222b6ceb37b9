#include "app/CJournalRecovery.h"

#include <cstdint>

#include "app/CFileName.h"
#include "platform/FileHold.h"
#include "platform/FileSystem.h"
#include "platform/LocalTime.h"
#include "text/CLineSplitter.h"
#include "text/CMemoJournal.h"
#include "text/CMemoWriter.h"
#include "text/CPictureTag.h"
#include "text/CSafeFileWriter.h"
#include "text/CTextCodec.h"

namespace vp = vel::platform;

namespace {

bool ReadText(const std::u16string& path, std::u16string& text)
{
    std::vector<std::uint8_t> bytes;
    if (!vp::ReadWholeFile(path, bytes))
        return false;
    text = CTextCodec::Decode(bytes.data(), bytes.size());
    return true;
}

// The text as a saved memo and its journal are compared: picture tags by the file they name
// alone, since the journal keeps every picture's framing and a memo may not.
std::u16string Normalised(std::u16string_view text)
{
    std::u16string out;
    CLineSplitter lines(text);
    std::u16string_view line;
    bool lineEnd = false;
    while (lines.Next(line, lineEnd)) {
        CPictureTag tag;
        if (CPictureTag::Parse(line, false, tag))
            out += u"<IMG " + CFileName::ToLower(CFileName::FileName(tag.src)) + u">";
        else
            out += line;
        if (lineEnd)
            out += u"\n";
    }
    return out;
}

void RemoveJournal(const std::u16string& stem)
{
    vp::RemoveFile(CJournalRecovery::JournalOf(stem));
    vp::RemoveFile(CJournalRecovery::HoldOf(stem));
    const std::u16string pictures = CJournalRecovery::PicturesOf(stem);
    for (const std::u16string& name : vp::ListMatching(pictures, u"*"))
        vp::RemoveFile(pictures + name);
    vp::RemoveFolder(pictures);
}

// The memo base a journal belongs to: the base it names for a new memo, the memo folder's base
// for a memo of the store; where that is gone, the folder the journal lies in.
std::u16string BaseFor(const CJournalHeader& header, const std::u16string& journalFolder)
{
    std::u16string base = header.folder;
    if (!header.newMemo) {
        std::u16string folder = base;
        while (!folder.empty() && folder.back() == u'\\')
            folder.pop_back();
        base = CFileName::Directory(folder);
    }
    return CFileName::IsWritableDirectory(base) ? CFileName::AddSeparator(base) : journalFolder;
}

bool ReadBytes(const std::u16string& path, std::vector<std::uint8_t>& bytes)
{
    return vp::ReadWholeFile(path, bytes);
}

bool CopyFile(const std::u16string& from, const std::u16string& to)
{
    std::vector<std::uint8_t> bytes;
    return ReadBytes(from, bytes) && CSafeFileWriter::Write(to, bytes.data(), bytes.size());
}

// The memo text with every picture whose file stands elsewhere copied into folder and named there
// by its bare name, so that the new memo does not depend on the journal's files.
std::u16string WithPicturesIn(const std::u16string& text, const std::u16string& folder, const std::u16string& title)
{
    std::u16string out;
    CLineSplitter lines(text);
    std::u16string_view line;
    bool lineEnd = false;
    int number = 0;
    while (lines.Next(line, lineEnd)) {
        std::u16string copy(line);
        CPictureTag tag;
        if (CPictureTag::Parse(line, false, tag) && tag.src.find(u'\\') != std::u16string::npos &&
            vp::ReadAttributes(tag.src).exists) {
            const std::u16string extension = CFileName::ToLower(CFileName::Extension(tag.src));
            std::u16string name;
            do {
                ++number;
                name = CFileName::CompanionName(folder + title + u".txt", number, extension.empty() ? u"png" : extension);
            } while (vp::ReadAttributes(folder + name).exists);
            const std::size_t at = copy.find(u"\"" + tag.src + u"\"");
            if (at != std::u16string::npos && CopyFile(tag.src, folder + name))
                copy.replace(at + 1, tag.src.size(), name);
        }
        out += copy;
        if (lineEnd)
            out += u"\r\n";
    }
    return out;
}

}  // namespace

std::u16string CJournalRecovery::StemOf(const std::u16string& path)
{
    const std::size_t dot = path.rfind(u'.');
    const std::size_t slash = path.rfind(u'\\');
    if (dot == std::u16string::npos || (slash != std::u16string::npos && dot < slash))
        return path;
    return path.substr(0, dot);
}

bool CJournalRecovery::MayRemove(const std::u16string& folder, const std::u16string& name,
                                 const std::u16string& exceptStem)
{
    const std::u16string path = folder + name;
    const std::u16string stem = CJournalRecovery::StemOf(path);
    if (!exceptStem.empty() && CFileName::ToLower(stem) == CFileName::ToLower(exceptStem))
        return false;
    if (vp::IsFileHeld(HoldOf(stem)))
        return false;
    // A journal still here was not recovered (it could not be read or written): it stays.
    return !vp::ReadAttributes(JournalOf(stem)).exists;
}

std::vector<std::u16string> CJournalRecovery::RecoverFolder(const std::u16string& folder,
                                                            const std::u16string& exceptStem)
{
    std::vector<std::u16string> recovered;
    const std::u16string base = CFileName::AddSeparator(folder);
    for (const std::u16string& name : vp::ListMatching(base, u"DefBackup_*.jnl")) {
        const std::u16string stem = CJournalRecovery::StemOf(base + name);
        if (!exceptStem.empty() && CFileName::ToLower(stem) == CFileName::ToLower(exceptStem))
            continue;
        if (vp::IsFileHeld(HoldOf(stem)))
            continue;  // its copy still runs
        std::vector<std::uint8_t> bytes;
        CJournalHeader header;
        std::u16string text;
        if (!ReadBytes(base + name, bytes) || !CMemoJournal::Decode(bytes.data(), bytes.size(), header, text))
            continue;  // not ours to touch
        std::u16string saved;
        const bool same = header.newMemo ? text.empty()
                                         : ReadText(header.folder + header.file, saved) &&
                                               Normalised(saved) == Normalised(text);
        if (same) {
            RemoveJournal(stem);
            continue;
        }
        std::u16string memoFolder;
        std::u16string memoFile;
        if (!CFileName::NewMemoFolder(BaseFor(header, base), memoFolder, memoFile))
            continue;
        const std::u16string content = WithPicturesIn(text, memoFolder, CFileName::Title(memoFile));
        const std::string encoded = CMemoWriter::EncodeFile(content);
        if (!CSafeFileWriter::Write(memoFolder + memoFile, encoded.data(), encoded.size())) {
            vp::RemoveFolder(memoFolder);
            continue;
        }
        RemoveJournal(stem);
        recovered.push_back(memoFolder + memoFile);
    }
    return recovered;
}
