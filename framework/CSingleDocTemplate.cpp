#include "framework/CSingleDocTemplate.h"

#include "framework/CDocument.h"
#include "framework/CFrameWnd.h"
#include "framework/CView.h"
#include "framework/CWinApp.h"

CSingleDocTemplate::CSingleDocTemplate(UINT resourceId, DocumentMaker makeDocument, FrameMaker makeFrame,
                                       ViewMaker makeView)
    : m_resourceId(resourceId),
      m_makeDocument(std::move(makeDocument)),
      m_makeFrame(std::move(makeFrame)),
      m_makeView(std::move(makeView))
{
}

CSingleDocTemplate::~CSingleDocTemplate()
{
    m_frame.reset();
    m_document.reset();
}

std::wstring CSingleDocTemplate::DocString() const
{
    const wchar_t* text = nullptr;
    const int length = LoadStringW(GetModuleHandleW(nullptr), m_resourceId, reinterpret_cast<LPWSTR>(&text), 0);
    return length > 0 ? std::wstring(text, static_cast<size_t>(length)) : std::wstring();
}

CDocument* CSingleDocTemplate::OpenDocumentFile(const std::wstring& path)
{
    bool firstTime = false;
    if (!m_document) {
        m_document = m_makeDocument();
        m_frame = m_makeFrame();
        CCreateContext context{m_makeView, m_document.get()};
        if (!m_frame || !m_frame->LoadFrame(m_resourceId, WS_OVERLAPPEDWINDOW, std::move(context))) {
            m_frame.reset();
            m_document.reset();
            return nullptr;
        }
        firstTime = true;
        if (CWinApp* app = CWinApp::Current(); app != nullptr && app->MainWnd() == nullptr) {
            app->SetMainWnd(m_frame.get());
        }
    }
    const bool ok = path.empty() ? m_document->OnNewDocument() : m_document->OnOpenDocument(path);
    if (!ok) {
        if (firstTime) {
            if (CWinApp* app = CWinApp::Current(); app != nullptr && app->MainWnd() == m_frame.get()) {
                app->SetMainWnd(nullptr);
            }
            m_frame.reset();
            m_document.reset();
        }
        return nullptr;
    }
    if (!path.empty()) {
        m_document->SetPathName(path);
    }
    if (CView* view = m_frame->ActiveView()) {
        view->OnInitialUpdate();
    }
    return m_document.get();
}

void CSingleDocTemplate::CloseDocument()
{
    if (m_document) {
        m_document->OnCloseDocument();
    }
}
