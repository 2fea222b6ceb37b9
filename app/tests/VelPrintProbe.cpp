// Draws the pages of a memo as the printer gets them, for the end-to-end printing test: the real
// program's view opens the memo and runs its print steps for the default printer, each page drawn
// into a memory device context of the printer's page size.
//   VelPrintProbe layout              "lines L height H cell C dpi D" for an empty memo
//   VelPrintProbe pages MEMO DIR N    the memo's pages as DIR\page-<n>.ppm, reduced N times, and
//                                     "pages P height H cell C dpi D" on the output
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "app/CMainFrame.h"
#include "app/CVelTextApp.h"
#include "doc/CDocList.h"
#include "doc/CMemoPrinter.h"
#include "doc/CVelTextView.h"
#include "framework/CPrintInfo.h"

namespace {

void Pump()
{
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

// One page drawn into a 24-bit bitmap and written as a binary PPM, each reduce × reduce block of
// pixels averaged into one.
bool WritePage(CVelTextView& view, CPrintInfo& info, const std::wstring& path, int reduce)
{
    const int width = info.page.width;
    const int height = info.page.height;
    BITMAPINFO bmi{};
    bmi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    bmi.bmiHeader.biWidth = width;
    bmi.bmiHeader.biHeight = -height;
    bmi.bmiHeader.biPlanes = 1;
    bmi.bmiHeader.biBitCount = 24;
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(nullptr, &bmi, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!bitmap)
        return false;
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, bitmap);
    const size_t stride = (static_cast<size_t>(width) * 3 + 3) & ~size_t(3);
    auto* pixels = static_cast<unsigned char*>(bits);
    std::fill(pixels, pixels + stride * height, 0xFF);
    view.OnPrint(dc, info);
    GdiFlush();
    const int w = width / reduce;
    const int h = height / reduce;
    std::vector<unsigned char> out(static_cast<size_t>(w) * h * 3);
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            for (int c = 0; c < 3; ++c) {
                int sum = 0;
                for (int dy = 0; dy < reduce; ++dy)
                    for (int dx = 0; dx < reduce; ++dx)
                        sum += pixels[(y * reduce + dy) * stride + (x * reduce + dx) * 3 + (2 - c)];
                out[(static_cast<size_t>(y) * w + x) * 3 + c] = static_cast<unsigned char>(sum / (reduce * reduce));
            }
        }
    }
    SelectObject(dc, old);
    DeleteDC(dc);
    DeleteObject(bitmap);
    FILE* file = _wfopen(path.c_str(), L"wb");
    if (!file)
        return false;
    std::fprintf(file, "P6\n%d %d\n255\n", w, h);
    const bool written = std::fwrite(out.data(), 1, out.size(), file) == out.size();
    std::fclose(file);
    return written;
}

}  // namespace

int wmain(int argc, wchar_t** argv)
{
    const std::wstring mode = argc > 1 ? argv[1] : L"";
    if (mode != L"layout" && !(mode == L"pages" && argc > 4)) {
        std::fprintf(stderr, "usage: VelPrintProbe layout | pages MEMO DIR REDUCE\n");
        return 2;
    }
    const std::wstring commandLine = mode == L"pages" ? L"VelText.exe \"" + std::wstring(argv[2]) + L"\"" : L"VelText.exe";
    auto app = std::make_unique<CVelTextApp>();
    if (!app->StartUp(commandLine.c_str()))
        return 3;
    CMainFrame* frame = app->MainFrame();
    auto* view = frame ? dynamic_cast<CVelTextView*>(frame->ActiveView()) : nullptr;
    if (!view)
        return 3;
    // The memo's pictures come from the worker.
    for (int i = 0; i < 200 && view->EditWindow().IsBusy(); ++i) {
        Pump();
        Sleep(20);
    }
    view->EditWindow().Synchronise();
    Pump();
    if (mode == L"layout")
        view->EditWindow().Doc().InsertAtCaret(u"x");

    CPrinterDC printer = view->Printer().CreateDC();
    if (!printer) {
        std::fprintf(stderr, "no printer\n");
        return 4;
    }
    CPrintInfo info;
    info.page = CPageMetrics::Of(printer.Get());
    if (!view->OnBeginPrinting(printer.Get(), info))
        return 5;
    const CTextFont& font = view->EditWindow().Doc().Font(CDocList::kPrintFont);
    int result = 0;
    if (mode == L"layout") {
        std::printf("lines %d height %d cell %d dpi %d\n", view->MemoPrinter()->LinesPerPage(), font.LineHeight(),
                    font.CharWidth(), info.page.dpiY);
    } else {
        const int reduce = std::max(1, _wtoi(argv[4]));
        for (int page = 1; page <= info.maxPage && result == 0; ++page) {
            info.currentPage = page;
            const std::wstring path = std::wstring(argv[3]) + L"\\page-" + std::to_wstring(page) + L".ppm";
            if (!WritePage(*view, info, path, reduce) || !info.continuePrinting)
                result = 6;
        }
        std::printf("pages %d height %d cell %d dpi %d\n", info.maxPage, font.LineHeight(), font.CharWidth(),
                    info.page.dpiY);
    }
    view->OnEndPrinting(printer.Get(), info);
    printer.Reset();
    // The typed memo of the layout is not one to keep.
    if (mode == L"layout")
        view->DropContent();
    frame->DestroyWindow();
    Pump();
    app.reset();
    return result;
}
