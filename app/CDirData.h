#pragma once
// One memo of the memo list: its folder and the name of its text file, both lower-cased.
#include <string>

class CDirData {
public:
    CDirData() = default;
    CDirData(std::u16string folder, std::u16string fileName);
    virtual ~CDirData() = default;
    CDirData(const CDirData&) = default;
    CDirData& operator=(const CDirData&) = default;

    // Reads the folder: the first "*.txt" file found in it is the memo's text file.
    static CDirData FromFolder(const std::u16string& folder);

    const std::u16string& Folder() const { return m_folder; }
    const std::u16string& FileName() const { return m_fileName; }
    // The memo's text file, empty when the folder holds none.
    std::u16string FilePath() const { return m_fileName.empty() ? std::u16string() : m_folder + m_fileName; }

private:
    std::u16string m_folder;   // with trailing separator
    std::u16string m_fileName; // empty: no text file, not a memo
};
