#pragma once
// A colour sample: a static control painted in one colour (text and background alike).
#include <windows.h>

#include <memory>
#include <type_traits>

#include "app/CSubclassedControl.h"

class CColorStatic : public CSubclassedControl {
public:
    // Replaces the brush and repaints.
    void SetColor(COLORREF color);
    COLORREF Color() const { return m_color; }

protected:
    std::optional<LRESULT> OnReflected(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    struct BrushDeleter {
        void operator()(HBRUSH brush) const { DeleteObject(brush); }
    };

    COLORREF m_color = RGB(0, 0, 0);
    std::unique_ptr<std::remove_pointer_t<HBRUSH>, BrushDeleter> m_brush;
};
