#include "app/CVelTextDoc.h"

bool CVelTextDoc::OnOpenDocument(const std::wstring& path)
{
    m_filePath = path;
    return CDocument::OnOpenDocument(path);
}
