#pragma once
// The window half of the document list's painting: the visible lines row by row, each row first
// filled with the background picture (tiled so that it scrolls with the text), then its line
// drawn on top. After an edit only the rows of the dirty range are painted again.
#include <windows.h>

#include <functional>
#include <memory>

class CDocList;
class CPictChapter;
class CTiledBackground;

class CDocListPainter {
public:
    // Draws a picture chapter's display bitmap; pictureRect is where the whole picture stands in
    // the device, which is clipped to the row being painted.
    using PictureDrawer = std::function<void(HDC dc, const CPictChapter& picture, const RECT& pictureRect)>;

    explicit CDocListPainter(CDocList& doc);
    ~CDocListPainter();
    CDocListPainter(const CDocListPainter&) = delete;
    CDocListPainter& operator=(const CDocListPainter&) = delete;

    // The view background and the grey one; either may be missing.
    void SetBackgrounds(std::unique_ptr<CTiledBackground> view, std::unique_ptr<CTiledBackground> grey);
    bool Grey() const { return m_grey; }
    void SetGrey(bool on) { m_grey = on; }
    void SetPictureDrawer(PictureDrawer drawer) { m_drawPicture = std::move(drawer); }

    // Paints every row of the client area that meets area.
    void PaintArea(HDC dc, const RECT& area, int clientWidth);
    // The client rectangle of the dirty lines that are visible; the dirty range is reset. False
    // when no visible line is dirty.
    bool TakeDirtyRect(int clientWidth, int clientHeight, RECT& rect);

    // Lines drawn since the start: what an edit costs to show.
    long LinesDrawn() const { return m_linesDrawn; }

private:
    void PaintRow(HDC dc, int row, int width);
    const CTiledBackground* Background() const;

    CDocList& m_doc;
    std::unique_ptr<CTiledBackground> m_view;
    std::unique_ptr<CTiledBackground> m_greyBackground;
    bool m_grey = false;
    PictureDrawer m_drawPicture;
    long m_linesDrawn = 0;
};
