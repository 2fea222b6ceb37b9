// Times printing a 100,000-paragraph memo in the real program under Wine (run it with
// tools/wine-run.sh): Begin printing (print font, pagination), the first preview page shown, one
// page at printer size, beside the bare pagination of the same memo measured in the same run.
#include <windows.h>

#include <cstdio>
#include <memory>
#include <string>

#include "app/CMainFrame.h"
#include "app/CVelTextApp.h"
#include "app/Resource.h"
#include "doc/CDocList.h"
#include "doc/CVelTextView.h"
#include "framework/CPrintInfo.h"
#include "framework/CPrintPreview.h"

namespace {

double Now()
{
    LARGE_INTEGER count;
    LARGE_INTEGER frequency;
    QueryPerformanceCounter(&count);
    QueryPerformanceFrequency(&frequency);
    return static_cast<double>(count.QuadPart) * 1000.0 / static_cast<double>(frequency.QuadPart);
}

void Pump()
{
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

}  // namespace

int wmain()
{
    auto app = std::make_unique<CVelTextApp>();
    if (!app->StartUp(L"VelText.exe"))
        return 1;
    CMainFrame* frame = app->MainFrame();
    auto* view = dynamic_cast<CVelTextView*>(frame->ActiveView());
    view->Printer().SetInstalledCheck([] { return false; });
    CDocList& doc = view->EditWindow().Doc();
    std::u16string text;
    for (int i = 0; i < 100000; ++i) {
        if (i)
            text += u"\r\n";
        text += u"日本語のメモ text 12345";
    }
    doc.InsertAtCaret(text);
    Pump();
    std::printf("memo: %d paragraphs, %d lines\n", doc.Chapters().Count(), doc.LineCount());

    for (int run = 0; run < 3; ++run) {
        double t = Now();
        const int pages = doc.Paginate(62);
        const double paginate = Now() - t;
        doc.ClearPages();

        HDC screen = CreateCompatibleDC(nullptr);
        CPrintInfo info;
        info.page = CPageMetrics::DefaultPage();
        t = Now();
        view->OnBeginPrinting(screen, info);
        const double begin = Now() - t;
        view->OnEndPrinting(screen, info);
        DeleteDC(screen);

        t = Now();
        SendMessageW(frame->Handle(), WM_COMMAND, MAKEWPARAM(ID_FILE_PRINT_PREVIEW, 0), 0);
        CPrintPreview* preview = view->Preview();
        UpdateWindow(preview->Pages());
        const double firstPage = Now() - t;
        SendMessageW(preview->Pages(), WM_KEYDOWN, VK_END, 0);
        t = Now();
        UpdateWindow(preview->Pages());
        const double lastPage = Now() - t;
        preview->Close();
        Pump();
        std::printf("run %d: pages %d | paginate alone %.1f ms | begin printing %.1f ms | preview to first page shown %.1f ms"
                    " | last page shown %.1f ms\n",
                    run, pages, paginate, begin, firstPage, lastPage);
    }
    view->DropContent();
    frame->DestroyWindow();
    Pump();
    app.reset();
    return 0;
}
