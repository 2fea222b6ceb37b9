#pragma once
#include <string>
#include <vector>

#include "framework/CCmdTarget.h"

class CView;

// The framework document: a path name, a modified flag and the views that show it. Commands that
// no view takes are offered here before they go to the frame.
class CDocument : public CCmdTarget {
public:
    // Clears the content, the path name and the modified flag.
    virtual bool OnNewDocument();
    // Fails when the file cannot be opened for reading; otherwise clears the content and the
    // modified flag. Derived documents read the file after calling this.
    virtual bool OnOpenDocument(const std::wstring& path);
    // Called once the frame and its views are gone.
    virtual void OnCloseDocument();
    virtual void DeleteContents() {}

    virtual bool IsModified() const { return m_modified; }
    virtual void SetModifiedFlag(bool modified) { m_modified = modified; }

    const std::wstring& PathName() const { return m_pathName; }
    virtual void SetPathName(const std::wstring& path) { m_pathName = path; }

    CView* FirstView() const { return m_views.empty() ? nullptr : m_views.front(); }
    void AddView(CView* view);
    void RemoveView(CView* view);

private:
    std::wstring m_pathName;
    bool m_modified = false;
    std::vector<CView*> m_views;
};
