#include "picture/CPicSelCombo.h"

#include "picture/CBackPictureList.h"

void CPicSelCombo::Attach(HWND combo, const CBackPictureList* pictures)
{
    m_combo = combo;
    m_pictures = pictures;
    if (!m_combo)
        return;
    // The closed field and the list's items are as tall as a strip of the picture worth seeing.
    SendMessageW(m_combo, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), kItemHeight);
    SendMessageW(m_combo, CB_SETITEMHEIGHT, 0, kItemHeight);
    Fill();
}

void CPicSelCombo::Fill()
{
    if (!m_combo)
        return;
    SendMessageW(m_combo, CB_RESETCONTENT, 0, 0);
    const int count = m_pictures ? m_pictures->Count() : 0;
    // Without CBS_HASSTRINGS the item's data is its picture's position.
    for (int i = 0; i < count; ++i)
        SendMessageW(m_combo, CB_ADDSTRING, 0, static_cast<LPARAM>(i));
    Select(-1);
}

void CPicSelCombo::Select(int index)
{
    if (m_combo)
        SendMessageW(m_combo, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

int CPicSelCombo::Selected() const
{
    if (!m_combo)
        return -1;
    const LRESULT selected = SendMessageW(m_combo, CB_GETCURSEL, 0, 0);
    return selected == CB_ERR ? -1 : static_cast<int>(selected);
}

int CPicSelCombo::Count() const
{
    return m_combo ? static_cast<int>(SendMessageW(m_combo, CB_GETCOUNT, 0, 0)) : 0;
}

bool CPicSelCombo::DrawItem(const DRAWITEMSTRUCT& item) const
{
    if (!m_combo || item.hwndItem != m_combo)
        return false;
    const int index = static_cast<int>(item.itemID);
    const CPictureIO* picture = m_pictures && index >= 0 ? m_pictures->GetAt(index) : nullptr;
    const RECT& area = item.rcItem;
    const int saved = SaveDC(item.hDC);
    IntersectClipRect(item.hDC, area.left, area.top, area.right, area.bottom);
    if (picture && picture->Bitmap()) {
        CBackPictureList::PaintTiled(item.hDC, area, *picture);
    } else {
        HBRUSH empty = CreateSolidBrush(kEmptyColour);
        FillRect(item.hDC, &area, empty);
        DeleteObject(empty);
    }
    if (index >= 0 && (item.itemState & ODS_SELECTED)) {
        HBRUSH frame = CreateSolidBrush(kFrameColour);
        FrameRect(item.hDC, &area, frame);
        DeleteObject(frame);
    }
    RestoreDC(item.hDC, saved);
    return true;
}
