#include "doc/CDocList.h"

#include "doc/CChapter.h"
#include "doc/CDocPictures.h"
#include "doc/CPictChapter.h"
#include "doc/CTextChapter.h"

#include <algorithm>

CDocList::CDocList() = default;

CDocList::~CDocList()
{
    // Chapters release their pictures through the virtual ReleasePicture, so they go while this
    // object is still whole.
    m_pages.Clear();
    m_undo.Clear();
    ClearAll();
    m_selection.Destroy();
    m_secondSelection.Destroy();
}

void CDocList::Create(int columns, int tabWidth)
{
    SetColumns(columns);
    SetTabWidth(tabWidth);
    ApplyLayout();
    Reset();
}

void CDocList::Reset()
{
    m_selection.Destroy();
    m_secondSelection.Destroy();
    m_pages.Clear();
    m_undo.Clear();
    m_hasUndoCopy = false;
    ClearAll();
    m_caretColumn = m_caretLine = 0;
    m_savedCaretColumn = m_savedCaretLine = 0;
    m_preferredColumn = 0;
    m_anchorColumn = m_anchorLine = m_endColumn = m_endLine = 0;
    m_selectKind = 0;
    m_selectMode = kNoSelection;
    m_topLine = 0;
    m_hScroll = 0;
    Dirty().Reset();
    CreateTextChapter(nullptr);
    Dirty().Mark(0, -1);
    SetModified(false);
    SetUndoAvailable(false);
}

CChapter* CDocList::ChapterAtLine(int index) const
{
    const CTextLine* line = LineAt(index);
    return line ? ChapterOfLine(*line) : nullptr;
}

CChapter* CDocList::ChapterByPictureId(int id) const
{
    for (CListNode* node = Chapters().Head(); node;) {
        CChapter* chapter = Chapters().StepForward(node);
        if (chapter->Picture() && chapter->Picture()->PictureId() == id)
            return chapter;
    }
    return nullptr;
}

std::u16string CDocList::AllText() const
{
    std::u16string text;
    bool first = true;
    for (CListNode* node = Chapters().Head(); node;) {
        const CChapter* chapter = Chapters().StepForward(node);
        if (!first)
            text += u"\r\n";
        first = false;
        if (chapter->Text())
            text += chapter->Text()->View();
        else
            text += PictureTag(*chapter);
    }
    return text;
}

int CDocList::FirstLineIndex(const CChapter& chapter) const
{
    return chapter.FirstLine() ? LineIndex(chapter.FirstLine()) : -1;
}

void CDocList::SetTopLine(int line)
{
    if (line == m_topLine)
        return;
    line = std::max(0, line);
    Dirty().Mark(line, -1);
    m_topLine = line;
}

void CDocList::SetClientSize(int width, int height)
{
    m_clientWidth = width;
    m_clientHeight = height;
    m_visibleLines = height / std::max(1, LineHeight()) + 1;
    Dirty().Mark(m_topLine, -1);
}

void CDocList::SetPageBreak(bool on)
{
    CChapter* chapter = ChapterAtLine(m_caretLine);
    if (!chapter)
        return;
    chapter->SetPageBreak(on);
    chapter->NoteChange();
    Dirty().Mark(std::max(0, FirstLineIndex(*chapter)), -1);
}

bool CDocList::PageBreakState() const
{
    const CChapter* chapter = ChapterAtLine(m_caretLine);
    return chapter && chapter->PageBreak();
}

int CDocList::Paginate(int linesPerPage)
{
    m_pages.Clear();
    m_linesPerPage = linesPerPage;
    int first = 0;
    int index = 0;
    for (CListNode* node = Lines().Head(); node; ++index) {
        const CTextLine* line = Lines().StepForward(node);
        const CChapter* chapter = ChapterOfLine(*line);
        const bool breakHere = chapter && chapter->PageBreak() && chapter->LastLine() == line->Node();
        const bool full = linesPerPage > 0 && index - first + 1 >= linesPerPage;
        if (breakHere || full || !node) {
            m_pages.InsertTail(std::make_unique<CPageInfo>(first, index));
            first = index + 1;
        }
    }
    return m_pages.Count();
}

int CDocList::NextPictureId() const
{
    if (!m_pictures)
        return 1;
    int candidate = 1;
    bool raised = true;
    while (raised) {
        raised = false;
        m_pictures->ForEachId([&](int id) {
            if (id == candidate) {
                ++candidate;
                raised = true;
            }
        });
    }
    return candidate;
}

void CDocList::SetMemoNames(std::u16string folder, std::u16string secondName, std::u16string title)
{
    m_folder = std::move(folder);
    m_secondName = std::move(secondName);
    m_title = std::move(title);
}

std::u16string CDocList::PictureFileName(int id) const
{
    std::u16string number;
    for (char c : std::to_string(id))
        number += static_cast<char16_t>(c);
    return m_folder + m_title + u"_" + number + u".tif";
}

std::u16string CDocList::PictureTag(const CChapter& chapter) const
{
    const CPictChapter* picture = chapter.Picture();
    if (!picture || !m_pictures)
        return {};
    return m_pictures->Tag(picture->PictureId(), picture->Indent());
}

bool CDocList::PictureSize(int id, int& width, int& height) const
{
    return m_pictures && m_pictures->Size(id, width, height);
}

void CDocList::ReleasePicture(int id)
{
    if (m_pictures)
        m_pictures->RemoveById(id);
}

CDocList::Rect CDocList::PictureRect(int pictureId) const
{
    const CChapter* chapter = ChapterByPictureId(pictureId);
    if (!chapter)
        return {};
    const CPictChapter* picture = chapter->Picture();
    Rect r;
    r.x = picture->LeftSpace() - CurrentFont().CharWidth() * m_hScroll;
    r.y = LineHeight() * (FirstLineIndex(*chapter) - m_topLine) + picture->TopSpace();
    r.width = picture->Width();
    r.height = picture->Height();
    return r;
}
