// Timed loops of the real edit window under Wine: a keystroke from WM_CHAR to the end of the
// WM_PAINT that shows it, in memos of growing length, with the lines each keystroke repaints; and
// opening a 10 MB memo up to its first paint; the window thread's time per crash journal of a
// 10 KB, 1 MB and 10 MB memo, and a keystroke while the journal is written.
//   edit_window_bench [paragraphs...]      default: 100 10000 100000
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "doc/CDocList.h"
#include "doc/CDocListMemo.h"
#include "doc/CDocListPainter.h"
#include "text/CEditExp.h"
#include "text/CMemoPictureLoader.h"
#include "text/CMemoReader.h"
#include "text/CTextCodec.h"

namespace {

using Clock = std::chrono::steady_clock;

double Ms(Clock::duration d)
{
    return std::chrono::duration<double, std::milli>(d).count();
}

class NoPictures : public CMemoPictureLoader {
public:
    bool LoadAtCaret(const std::u16string&, const CPictureTag&) override { return false; }
};

// Paragraphs of everyday memo length, most of 20 to 60 characters, some longer.
std::u16string MemoText(int paragraphs)
{
    static const std::u16string words[] = {u"今日は", u"会議の", u"メモを", u"書いて", u"おきます。", u"予定", u"確認 ",
                                           u"abc ", u"1,980円 ", u"「重要」", u"明日まで", u"に、"};
    std::u16string text;
    unsigned seed = 12345;
    for (int p = 0; p < paragraphs; ++p) {
        seed = seed * 1103515245u + 12345u;
        const int length = (seed >> 16) % 16 == 0 ? 150 : 20 + static_cast<int>((seed >> 8) % 40);
        std::u16string paragraph;
        while (static_cast<int>(paragraph.size()) < length) {
            seed = seed * 1103515245u + 12345u;
            paragraph += words[(seed >> 16) % 12];
        }
        text += paragraph;
        text += u"\r\n";
    }
    return text;
}

class Host {
public:
    Host()
    {
        WNDCLASSW wc{};
        wc.lpfnWndProc = DefWindowProcW;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = L"VelBenchHost";
        RegisterClassW(&wc);
        m_host = CreateWindowExW(0, L"VelBenchHost", L"bench", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, 0, 0, 900, 700,
                                 nullptr, nullptr, wc.hInstance, nullptr);
        CEditSettings settings;
        wcscpy(settings.logFont.lfFaceName, L"ＭＳ ゴシック");
        settings.logFont.lfCharSet = SHIFTJIS_CHARSET;
        m_edit.Create(m_host, settings, WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_HSCROLL, L"edit", 1);
        MoveWindow(m_edit.Handle(), 0, 0, 860, 640, TRUE);
        ShowWindow(m_host, SW_SHOW);
        SetFocus(m_edit.Handle());
        Pump();
    }
    ~Host()
    {
        m_edit.DestroyWindow();
        DestroyWindow(m_host);
    }
    static void Pump()
    {
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
    }
    CEditExp& Edit() { return m_edit; }

private:
    HWND m_host = nullptr;
    CEditExp m_edit;
};

void Load(CEditExp& edit, const std::u16string& text)
{
    CDocList& doc = edit.Doc();
    doc.Reset();
    NoPictures pictures;
    CEditText::CaretHold hold(edit);
    CDocListMemoSink sink(doc);
    CMemoReader reader(sink, pictures);
    reader.ReadLines(text, u"", false);
}

void Keystrokes(int paragraphs)
{
    Host host;
    CEditExp& edit = host.Edit();
    Load(edit, MemoText(paragraphs));
    // Type in the middle of the memo, on the screen's middle row.
    const int middle = edit.Doc().LineCount() / 2;
    edit.Doc().SetTopLine(std::max(0, middle - 15));
    edit.Doc().SetCaret(middle, 4);
    edit.RepaintAll();
    UpdateWindow(edit.Handle());
    host.Pump();

    const int keys = 300;
    std::vector<double> times;
    std::vector<double> edits;
    std::vector<double> paints;
    const long drawnBefore = edit.Painter().LinesDrawn();
    for (int i = 0; i < keys; ++i) {
        const char16_t ch = (i % 20 == 19) ? u'\b' : static_cast<char16_t>(u'a' + i % 26);
        const auto start = Clock::now();
        SendMessageW(edit.Handle(), WM_CHAR, ch, 1);
        const auto edited = Clock::now();
        UpdateWindow(edit.Handle());
        const auto end = Clock::now();
        times.push_back(Ms(end - start));
        edits.push_back(Ms(edited - start));
        paints.push_back(Ms(end - edited));
    }
    const long drawn = edit.Painter().LinesDrawn() - drawnBefore;
    std::sort(times.begin(), times.end());
    std::sort(edits.begin(), edits.end());
    std::sort(paints.begin(), paints.end());
    std::printf("keystroke  %7d paragraphs %7d lines: median %.3f ms (edit %.3f, paint %.3f)  p90 %.3f ms  max %.3f ms"
                "  lines drawn %.2f\n",
                paragraphs, edit.Doc().LineCount(), times[times.size() / 2], edits[edits.size() / 2],
                paints[paints.size() / 2], times[times.size() * 9 / 10], times.back(),
                static_cast<double>(drawn) / keys);
}

void OpenTenMegabytes()
{
    // 10 MB in the code page: about 170,000 paragraphs of the memo text above.
    std::u16string text;
    std::string bytes;
    int paragraphs = 50000;
    for (;;) {
        text = MemoText(paragraphs);
        bytes = CTextCodec::Encode(text);
        if (bytes.size() >= 10u * 1000 * 1000)
            break;
        paragraphs = static_cast<int>(paragraphs * (10.5e6 / static_cast<double>(bytes.size())));
    }
    wchar_t folder[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, folder);
    const std::wstring path = std::wstring(folder) + L"vel-bench-10mb.txt";
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    DWORD written = 0;
    WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(file);

    Host host;
    CEditExp& edit = host.Edit();
    const auto start = Clock::now();
    edit.Doc().Reset();
    edit.ReadMemoFile(std::u16string(path.begin(), path.end()));
    const auto read = Clock::now();
    edit.Doc().SetCaret(0, 0);
    edit.RepaintAll();
    UpdateWindow(edit.Handle());
    const auto painted = Clock::now();
    std::printf("open 10 MB memo (%zu bytes, %d paragraphs, %d lines): read %.0f ms, first paint %.0f ms, total %.0f ms\n",
                bytes.size(), edit.Doc().Chapters().Count(), edit.Doc().LineCount(), Ms(read - start),
                Ms(painted - read), Ms(painted - start));
    DeleteFileW(path.c_str());
}

// The text of about the given size in the code page.
std::u16string MemoOfBytes(std::size_t wanted)
{
    int paragraphs = std::max(10, static_cast<int>(wanted / 60));
    for (;;) {
        std::u16string text = MemoText(paragraphs);
        const std::size_t size = CTextCodec::Encode(text).size();
        if (size >= wanted)
            return text;
        paragraphs = static_cast<int>(paragraphs * (1.05 * static_cast<double>(wanted) / static_cast<double>(size))) + 1;
    }
}

void Journals(std::size_t bytes, const char* label)
{
    Host host;
    CEditExp& edit = host.Edit();
    Load(edit, MemoOfBytes(bytes));
    wchar_t folder[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, folder);
    const std::wstring hold = std::wstring(folder) + L"vel-bench-journal.dum";
    DeleteFileW(hold.c_str());
    if (!edit.Journal().Start(std::u16string(hold.begin(), hold.end()), [] { return CJournalHeader{}; })) {
        std::printf("journal %s: the hold file could not be made\n", label);
        return;
    }
    const int rounds = 9;
    std::vector<double> copies;
    std::vector<double> keys;
    std::vector<double> writes;
    for (int i = 0; i < rounds; ++i) {
        SendMessageW(edit.Handle(), WM_CHAR, u'a' + i, 1);
        UpdateWindow(edit.Handle());
        edit.Journal().WriteNow();
        copies.push_back(edit.Journal().LastCopyMilliseconds());
        // Typing goes on while the journal is on its way to disk.
        const auto key = Clock::now();
        SendMessageW(edit.Handle(), WM_CHAR, u'b', 1);
        UpdateWindow(edit.Handle());
        const auto typed = Clock::now();
        edit.Journal().Flush();
        keys.push_back(Ms(typed - key));
        writes.push_back(Ms(Clock::now() - key));
    }
    edit.Journal().End();
    std::sort(copies.begin(), copies.end());
    std::sort(keys.begin(), keys.end());
    std::sort(writes.begin(), writes.end());
    std::printf("journal %6s memo: window thread median %.2f ms (max %.2f), keystroke during the write %.2f ms,"
                " write on its thread %.1f ms\n",
                label, copies[rounds / 2], copies.back(), keys[rounds / 2], writes[rounds / 2]);
    DeleteFileW(hold.c_str());
}

}  // namespace

int main(int argc, char** argv)
{
    std::vector<int> sizes;
    for (int i = 1; i < argc; ++i)
        sizes.push_back(std::atoi(argv[i]));
    if (sizes.empty())
        sizes = {100, 10000, 100000};
    for (int n : sizes)
        Keystrokes(n);
    if (!std::getenv("VEL_BENCH_NO_OPEN"))
        OpenTenMegabytes();
    Journals(10u * 1000, "10 KB");
    Journals(1000u * 1000, "1 MB");
    Journals(10u * 1000 * 1000, "10 MB");
    return 0;
}
