#pragma once
// A picture standing on lines of its own: its indent, displayed size, the spaces that place it on
// the cell grid and the number of lines it occupies. The display bitmap and printing belong to
// the window side.
class CChapter;

class CPictChapter {
public:
    // The part of the picture that is shown, in the picture's own pixels.
    struct Part {
        int x = 0;
        int y = 0;
        int width = 0;
        int height = 0;
    };

    explicit CPictChapter(int indent);
    virtual ~CPictChapter();
    CPictChapter(const CPictChapter&) = delete;
    CPictChapter& operator=(const CPictChapter&) = delete;

    CChapter* Chapter() const { return m_chapter; }
    void SetChapter(CChapter* chapter) { m_chapter = chapter; }

    int Indent() const { return m_indent; }
    int PictureId() const { return m_pictureId; }
    int Width() const { return m_width; }
    int Height() const { return m_height; }
    int LeftSpace() const { return m_leftSpace; }
    int RightSpace() const { return m_rightSpace; }
    int TopSpace() const { return m_topSpace; }
    int BottomSpace() const { return m_bottomSpace; }
    int Lines() const { return m_lines; }
    const Part& VisiblePart() const { return m_part; }

    // Shows picture id at the requested size (cut to the maxima greater than 0), or, when either
    // requested side is -1, at its own size reduced to fit the "Picture Size" square. Then records
    // the visible part: a negative offset keeps the current one, a negative size runs to the
    // picture's edge, and sizes are cut at the edge. False, with nothing changed, for a picture
    // the document does not know.
    bool SetPicture(int id, int width, int height, int maxWidth, int maxHeight, const Part& part);
    // Takes other's displayed size, visible part and geometry under the given picture id, without
    // counting a change or laying out (for the undo copy).
    void CopyFrom(const CPictChapter& other, int pictureId);
    // Spaces and lines again from the displayed size, indent, current font and layout width, and
    // the lines laid out to match.
    void RecomputeGeometry();

private:
    int m_indent;
    int m_pictureId = -1;
    int m_leftSpace = 0;
    int m_width = 0;
    int m_height = 0;
    int m_rightSpace = 0;
    int m_topSpace = 0;
    int m_bottomSpace = 0;
    int m_lines = 0;
    Part m_part;
    bool m_hasPart = false;
    CChapter* m_chapter = nullptr;
};
