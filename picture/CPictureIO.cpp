#include "picture/CPictureIO.h"

#include <objidl.h>
#include <gdiplus.h>

#include "picture/CGdiplusSession.h"

namespace Flat = Gdiplus::DllExports;

CPictureIO::CPictureIO() : m_gdiplus(std::make_unique<CGdiplusSession>()) {}

CPictureIO::~CPictureIO()
{
    Keep(nullptr);
}

void CPictureIO::Keep(HBITMAP bitmap)
{
    if (m_bitmap)
        DeleteObject(m_bitmap);
    m_bitmap = bitmap;
    m_size = SIZE{0, 0};
    BITMAP header{};
    if (m_bitmap && GetObjectW(m_bitmap, sizeof header, &header))
        m_size = SIZE{header.bmWidth, header.bmHeight < 0 ? -header.bmHeight : header.bmHeight};
}

bool CPictureIO::Load(const std::u16string& path)
{
    if (!m_gdiplus->Started())
        return false;
    Gdiplus::GpBitmap* image = nullptr;
    if (Flat::GdipCreateBitmapFromFile(reinterpret_cast<const wchar_t*>(path.c_str()), &image) != Gdiplus::Ok)
        return false;
    HBITMAP bitmap = nullptr;
    const Gdiplus::GpStatus made = Flat::GdipCreateHBITMAPFromBitmap(image, &bitmap, 0);
    Flat::GdipDisposeImage(image);
    if (made != Gdiplus::Ok || !bitmap)
        return false;
    Keep(bitmap);
    m_fileName = path;
    return true;
}

bool CPictureIO::SetFile(const std::u16string& path)
{
    return (m_bitmap && path == m_fileName) || Load(path);
}

bool CPictureIO::LoadDefault(int resourceId)
{
    HBITMAP bitmap = LoadBitmapW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(resourceId));
    if (!bitmap)
        return false;
    Keep(bitmap);
    m_fileName.clear();
    return true;
}

HBITMAP CPictureIO::CopyBitmap() const
{
    return m_bitmap ? static_cast<HBITMAP>(CopyImage(m_bitmap, IMAGE_BITMAP, 0, 0, 0)) : nullptr;
}
