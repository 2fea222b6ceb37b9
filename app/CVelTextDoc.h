#pragma once
#include "framework/CDocument.h"

// The framework document of the memo window. It holds the open memo's path; the memo itself lives
// in the text edit window's document list, which the view brings.
class CVelTextDoc : public CDocument {
public:
    bool OnOpenDocument(const std::wstring& path) override;

    const std::wstring& FilePath() const { return m_filePath; }

private:
    std::wstring m_filePath;
};
