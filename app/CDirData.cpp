#include "app/CDirData.h"

#include "app/CFileName.h"
#include "platform/FileSystem.h"

CDirData::CDirData(std::u16string folder, std::u16string fileName)
    : m_folder(CFileName::ToLower(CFileName::AddSeparator(folder))), m_fileName(CFileName::ToLower(std::move(fileName)))
{
}

CDirData CDirData::FromFolder(const std::u16string& folder)
{
    const std::u16string root = CFileName::AddSeparator(folder);
    for (const std::u16string& name : vel::platform::ListMatching(root, u"*.txt")) {
        if (CFileName::IsReadableFile(root + name))
            return CDirData(root, name);
    }
    return CDirData(root, {});
}
