#pragma once
// One decoded picture for display (a background picture): the platform bitmap made from a file
// or from the program's resources, the file it came from, and the two marks the background
// picture lists keep on it. GDI+ runs for as long as the object lives.
#include <windows.h>

#include <memory>
#include <string>

class CGdiplusSession;

class CPictureIO {
public:
    CPictureIO();
    virtual ~CPictureIO();
    CPictureIO(const CPictureIO&) = delete;
    CPictureIO& operator=(const CPictureIO&) = delete;

    // Decodes the file and keeps its bitmap in place of the one before; false (the bitmap
    // before kept) when it cannot be decoded.
    bool Load(const std::u16string& path);
    // Loads only when path is not the file already kept.
    bool SetFile(const std::u16string& path);
    // A bitmap of the program's resources; the kept file name is cleared.
    bool LoadDefault(int resourceId);

    SIZE Size() const { return m_size; }
    HBITMAP Bitmap() const { return m_bitmap; }
    // A copy for whoever takes bitmaps over (CTiledBackground::FromBitmap); none without one.
    HBITMAP CopyBitmap() const;
    const std::u16string& FileName() const { return m_fileName; }
    // The file the bitmap stands for from now on (a copy of the file it was decoded from).
    void SetFileName(const std::u16string& path) { m_fileName = path; }

    bool Shown() const { return m_shown; }
    void SetShown(bool shown) { m_shown = shown; }
    bool Stock() const { return m_stock; }
    void SetStock(bool stock) { m_stock = stock; }

private:
    void Keep(HBITMAP bitmap);

    std::unique_ptr<CGdiplusSession> m_gdiplus;
    HBITMAP m_bitmap = nullptr;
    SIZE m_size{0, 0};
    std::u16string m_fileName;
    bool m_shown = true;
    bool m_stock = false;
};
