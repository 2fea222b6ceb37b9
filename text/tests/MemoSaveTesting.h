#pragma once
// For the tests that break a save off midway: versions of one memo that differ in length and
// content with the exact bytes each is saved as, a save, and the temporaries beside a memo.
#include <algorithm>
#include <string>
#include <vector>

#include "platform/FileSystem.h"
#include "text/CMemoWriter.h"
#include "text/tests/CMemoModel.h"

inline constexpr int kMemoVersions = 4;

// Version v has (v + 1) * 1500 paragraphs of about 60 bytes: 90 KB to 360 KB.
inline CMemoModel MemoVersion(int version)
{
    CMemoModel m;
    m.chapters.clear();
    const std::string v = std::to_string(version);
    for (int i = 0; i < (version + 1) * 1500; ++i) {
        const std::string n = std::to_string(i);
        ModelChapter c;
        c.text.assign(u"版").append(v.begin(), v.end()).append(u" 段落").append(n.begin(), n.end());
        c.text += u"：今日の買い物メモ、牛乳と卵と食パン。";
        m.chapters.push_back(std::move(c));
    }
    return m;
}

inline std::string MemoVersionBytes(int version)
{
    CMemoModel m = MemoVersion(version);
    CMemoWriter writer(m, m);
    return CMemoWriter::EncodeFile(writer.Compose(CMemoWriter::kMemoFormat, true).text);
}

inline CMemoWriteResult SaveMemo(CMemoModel& m, const std::u16string& path)
{
    CMemoWriter writer(m, m);
    return writer.WriteFile(path, CMemoWriter::kMemoFormat, true);
}

// Names of the temporaries of the file fileName in folder, sorted.
inline std::vector<std::u16string> Temporaries(const std::u16string& folder, const std::u16string& fileName)
{
    std::vector<std::u16string> names = vel::platform::ListMatching(folder, fileName + u".~*");
    std::sort(names.begin(), names.end());
    return names;
}
