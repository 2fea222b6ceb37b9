#pragma once
#include <windows.h>

#include <functional>
#include <memory>
#include <string>

class CDocument;
class CFrameWnd;
class CView;

// One document, one frame, one view, made on first use and reused for every later file.
class CSingleDocTemplate {
public:
    using DocumentMaker = std::function<std::unique_ptr<CDocument>()>;
    using FrameMaker = std::function<std::unique_ptr<CFrameWnd>()>;
    using ViewMaker = std::function<std::unique_ptr<CView>()>;

    CSingleDocTemplate(UINT resourceId, DocumentMaker makeDocument, FrameMaker makeFrame, ViewMaker makeView);
    ~CSingleDocTemplate();
    CSingleDocTemplate(const CSingleDocTemplate&) = delete;
    CSingleDocTemplate& operator=(const CSingleDocTemplate&) = delete;

    // A new document when `path` is empty, otherwise that file. Null when the frame could not be
    // made or the document refused.
    CDocument* OpenDocumentFile(const std::wstring& path);
    void CloseDocument();

    UINT ResourceId() const { return m_resourceId; }
    std::wstring DocString() const;
    CDocument* Document() const { return m_document.get(); }
    CFrameWnd* Frame() const { return m_frame.get(); }

private:
    UINT m_resourceId;
    DocumentMaker m_makeDocument;
    FrameMaker m_makeFrame;
    ViewMaker m_makeView;
    // Declared in this order so that the frame (and its view) go before the document.
    std::unique_ptr<CDocument> m_document;
    std::unique_ptr<CFrameWnd> m_frame;
};
