#pragma once
// What the control panel asks of the program around it. The main frame implements it:
//   ListMemoBase      -> CMainFrame::ListMemoBase(folder)
//   SaveMemo          -> CVelTextDoc::SaveMemo(cleanUp) of the active document, if there is one
//   NewMemo           -> CVelTextApp::NewMemo()
//   UpdateTitle       -> CMainFrame::UpdateTitle()
//   ApplyDisplayType  -> the view's ApplyBackgrounds() and ApplyFonts()
//   Search..., Replace -> the view's SearchBackward / SearchForward / Replace
#include <string>

class CCntlPanelHost {
public:
    virtual ~CCntlPanelHost() = default;

    virtual void ListMemoBase(const std::wstring& folder) = 0;
    virtual void SaveMemo(bool cleanUp) = 0;
    virtual void NewMemo() = 0;
    virtual void UpdateTitle() = 0;
    virtual void ApplyDisplayType() = 0;

    virtual bool SearchBackward(const std::u16string& text) = 0;
    virtual bool SearchForward(const std::u16string& text) = 0;
    virtual bool Replace(const std::u16string& search, const std::u16string& replacement) = 0;
};
