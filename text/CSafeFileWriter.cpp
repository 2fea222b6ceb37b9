#include "text/CSafeFileWriter.h"

#include <memory>
#include <set>

#include "platform/FileSystem.h"

namespace vp = vel::platform;

namespace {

// Creating a temporary fails for another reason than an existing one (no folder, no rights)
// long before this many names not seen in the folder have been tried.
constexpr int kCreateAttempts = 16;
constexpr std::u16string_view kMark = u".~";

std::u16string Decimal(unsigned n)
{
    const std::string digits = std::to_string(n);
    return std::u16string(digits.begin(), digits.end());
}

// The number of a temporary's name ("memo.txt.~12" for "memo.txt"); 0 when it is none (the
// folder search matches without regard to case, and on Windows short names too).
unsigned NumberOf(const std::u16string& entry, const std::u16string& fileName)
{
    const std::size_t start = fileName.size() + kMark.size();
    if (entry.size() <= start || entry.size() > start + 9 || entry.compare(0, fileName.size(), fileName) != 0 ||
        entry.compare(fileName.size(), kMark.size(), kMark) != 0)
        return 0;
    unsigned n = 0;
    for (std::size_t i = start; i < entry.size(); ++i) {
        if (entry[i] < u'0' || entry[i] > u'9')
            return 0;
        n = n * 10 + static_cast<unsigned>(entry[i] - u'0');
    }
    return n;
}

// Numbers of the path's temporaries that are still there after the stale ones were removed.
std::set<unsigned> TemporariesInUse(const std::u16string& path)
{
    std::set<unsigned> used;
    const std::size_t slash = path.find_last_of(u"\\/");
    const std::u16string folder = slash == std::u16string::npos ? std::u16string() : path.substr(0, slash + 1);
    const std::u16string fileName = path.substr(folder.size());
    if (fileName.empty())
        return used;
    const auto now = std::chrono::system_clock::now();
    for (const std::u16string& entry : vp::ListMatching(folder, fileName + std::u16string(kMark) + u"*")) {
        const unsigned n = NumberOf(entry, fileName);
        if (n == 0)
            continue;
        const std::u16string temp = folder + entry;
        std::chrono::system_clock::time_point written;
        const bool stale = vp::LastWriteTime(temp, written) && now - written >= CSafeFileWriter::kStaleAge;
        if (!stale || !vp::RemoveFile(temp))
            used.insert(n);
    }
    return used;
}

} // namespace

std::u16string CSafeFileWriter::TemporaryName(const std::u16string& path, unsigned number)
{
    return path + std::u16string(kMark) + Decimal(number);
}

bool CSafeFileWriter::Write(const std::u16string& path, const void* data, std::size_t size)
{
    if (path.empty())
        return false;
    const std::set<unsigned> used = TemporariesInUse(path);
    std::u16string temp;
    std::unique_ptr<vp::COutputFile> file;
    unsigned number = 0;
    for (int attempt = 0; attempt < kCreateAttempts && !file; ++attempt) {
        do
            ++number;
        while (used.count(number));
        temp = TemporaryName(path, number);
        file = vp::CreateNewFile(temp);
    }
    if (!file)
        return false;
    const bool written = file->Write(data, size) && file->Commit();
    file.reset();
    if (!written || !vp::ReplaceWith(temp, path)) {
        vp::RemoveFile(temp);
        return false;
    }
    return true;
}
