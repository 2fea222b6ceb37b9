#pragma once
// A picture as a device-independent bitmap section for the screen: the frame's part of the
// picture scaled to a given size. Pictures of one byte per pixel get a grey palette; others keep
// 8 bits per channel without one. Owns its bitmap.
#include <windows.h>

class CPicData;
class CPicFrame;

class CPicBitmap {
public:
    CPicBitmap() = default;
    // The part of picture that frame shows, scaled to width × height; an empty bitmap when the
    // picture has no pixels or the system refuses the bitmap.
    CPicBitmap(const CPicData& picture, const CPicFrame& frame, int width, int height);
    ~CPicBitmap();
    CPicBitmap(CPicBitmap&& other) noexcept;
    CPicBitmap& operator=(CPicBitmap&& other) noexcept;
    CPicBitmap(const CPicBitmap&) = delete;
    CPicBitmap& operator=(const CPicBitmap&) = delete;

    HBITMAP Handle() const { return m_bitmap; }
    int Width() const { return m_width; }
    int Height() const { return m_height; }
    explicit operator bool() const { return m_bitmap != nullptr; }

    // Copies the bitmap to rect (its own size) in dc, only where rect meets the device's clip.
    void Draw(HDC dc, const RECT& rect) const;

private:
    HBITMAP m_bitmap = nullptr;
    int m_width = 0;
    int m_height = 0;
};
