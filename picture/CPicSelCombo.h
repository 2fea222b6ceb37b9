#pragma once
// The picture drop-down of the view options dialog: an owner-drawn drop-down list whose item i
// shows the i-th shown picture of a background picture list, tiled unscaled over the item; the
// selected item gets a grey frame, an item without a picture is light grey. The dialog passes
// its WM_DRAWITEM messages on to DrawItem.
#include <windows.h>

class CBackPictureList;

class CPicSelCombo {
public:
    static constexpr COLORREF kFrameColour = RGB(128, 128, 128);
    static constexpr COLORREF kEmptyColour = RGB(192, 192, 192);
    static constexpr int kItemHeight = 24;

    // Takes the drop-down (made with CBS_OWNERDRAWFIXED and without CBS_HASSTRINGS) and the list
    // it shows, and fills it.
    void Attach(HWND combo, const CBackPictureList* pictures);
    HWND Handle() const { return m_combo; }

    // One item per shown picture, the selection cleared.
    void Fill();
    // Selects item index (-1: none).
    void Select(int index);
    // The selected item, or -1.
    int Selected() const;
    int Count() const;

    // Paints one item; false when the item belongs to another control.
    bool DrawItem(const DRAWITEMSTRUCT& item) const;

private:
    HWND m_combo = nullptr;
    const CBackPictureList* m_pictures = nullptr;
};
