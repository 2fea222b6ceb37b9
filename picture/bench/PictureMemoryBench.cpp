// Timed loops of the picture layer under Wine (not a unit test): a memo of many large pictures
// opened, shown and closed again and again with the process's private bytes followed, then a
// quarter turn and a bicubic resize of one large picture through the worker.
//   picture_memory_bench [pictures=20] [megapixels=12] [rounds=10]
#include <windows.h>

#include "picture/tests/PicDocSetup.h"
#include <psapi.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include "doc/CDocList.h"
#include "doc/CDocListMemo.h"
#include "doc/CDocListPainter.h"
#include "framework/CUserMessage.h"
#include "picture/CGdiplusSession.h"
#include "picture/CPicDisplayList.h"
#include "picture/CPicFileIO.h"
#include "picture/CPicList.h"
#include "picture/CPicMemoLoader.h"
#include "picture/CPicRequest.h"
#include "picture/CPicWorkerLink.h"
#include "text/CFixedCharMeasurer.h"
#include "text/CMemoReader.h"
#include "vmem/CVMemList.h"

namespace {

using Clock = std::chrono::steady_clock;

double Seconds(Clock::time_point since)
{
    return std::chrono::duration<double>(Clock::now() - since).count();
}

// Committed private memory, summed over the address space: what Windows reports as private
// bytes (Wine leaves the process counters' PrivateUsage at 0).
std::size_t PrivateBytes()
{
    std::size_t total = 0;
    MEMORY_BASIC_INFORMATION info{};
    for (const char* at = nullptr; VirtualQuery(at, &info, sizeof info) == sizeof info;) {
        if (info.State == MEM_COMMIT && info.Type == MEM_PRIVATE)
            total += info.RegionSize;
        const char* next = static_cast<const char*>(info.BaseAddress) + info.RegionSize;
        if (next <= at)
            break;
        at = next;
    }
    return total;
}

std::size_t WorkingSet()
{
    PROCESS_MEMORY_COUNTERS counters{};
    counters.cb = sizeof counters;
    GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters);
    return counters.WorkingSetSize;
}

double MiB(std::size_t bytes)
{
    return bytes / (1024.0 * 1024.0);
}

// Follows the private bytes every few milliseconds for the peak.
class PeakWatch {
public:
    PeakWatch() : m_thread([this] {
        while (!m_stop) {
            Note();
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
    }) {}
    ~PeakWatch()
    {
        m_stop = true;
        m_thread.join();
    }
    void Note()
    {
        const std::size_t now = PrivateBytes();
        std::size_t seen = m_peak.load();
        while (now > seen && !m_peak.compare_exchange_weak(seen, now)) {
        }
    }
    std::size_t TakePeak()
    {
        Note();
        return m_peak.exchange(PrivateBytes());
    }

private:
    std::atomic<bool> m_stop{false};
    std::atomic<std::size_t> m_peak{0};
    std::thread m_thread;
};

std::u16string U16(const std::wstring& s)
{
    return std::u16string(s.begin(), s.end());
}

// A photo-like picture: smooth gradients with some noise, so that JPEG has work to do.
bool WritePhoto(const std::u16string& path, CVMemList& store, int width, int height, int seed)
{
    CPicData picture(store, 0, u"");
    if (!picture.SetPixels(3, width, height))
        return false;
    unsigned state = 12345u + seed;
    unsigned char* p = picture.Bytes();
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            state = state * 1103515245u + 12345u;
            const int noise = static_cast<int>((state >> 16) & 15);
            *p++ = static_cast<unsigned char>((x * 255 / width + seed * 40 + noise) & 255);
            *p++ = static_cast<unsigned char>((y * 255 / height + noise) & 255);
            *p++ = static_cast<unsigned char>(((x + y) * 128 / (width + height) + 64 + noise) & 255);
        }
    return CPicFileIO::Save(path, picture, 90) == CPicFileIO::Result::kDone;
}

void SetUpDoc(CDocList& doc, CPicList& pictures)
{
    SetUpDocList(doc, pictures);
}

// Paints every line of the memo once, as scrolling through it would.
void ShowAll(CDocList& doc, CPicDisplayList& display)
{
    CDocListPainter painter(doc);
    painter.SetPictureDrawer(display.Drawer());
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, 800, 600);
    ReleaseDC(nullptr, screen);
    HGDIOBJ old = SelectObject(dc, bitmap);
    doc.SetClientSize(800, 600);
    for (int top = 0; top < doc.LineCount(); top += doc.VisibleLines() - 1) {
        doc.SetTopLine(top);
        painter.PaintArea(dc, RECT{0, 0, 800, 600}, 800);
    }
    doc.SetTopLine(0);
    SelectObject(dc, old);
    DeleteObject(bitmap);
    DeleteDC(dc);
}

}  // namespace

int wmain(int argc, wchar_t** argv)
{
    const int count = argc > 1 ? _wtoi(argv[1]) : 20;
    const double megapixels = argc > 2 ? _wtof(argv[2]) : 12.0;
    const int rounds = argc > 3 ? _wtoi(argv[3]) : 10;
    const int width = static_cast<int>(std::sqrt(megapixels * 1e6 * 4 / 3) + 0.5);
    const int height = width * 3 / 4;
    std::vector<std::wstring> messages;
    CUserMessage::SetRecorder(&messages);

    CGdiplusSession gdiplus;
    CVMemList store(0x20000000);  // the program's picture store: 512 MiB blocks
    std::error_code ec;
    const std::filesystem::path base = std::filesystem::temp_directory_path(ec) / "vel-picture-bench";
    std::filesystem::create_directories(base, ec);
    std::u16string folder = base.u16string();
    if (folder.back() != u'\\')
        folder += u'\\';

    std::printf("%d pictures of %d x %d (%.1f megapixels), %d rounds\n", count, width, height, width * height / 1e6, rounds);
    auto made = Clock::now();
    std::string memo;
    for (int i = 1; i <= count; ++i) {
        const std::u16string name = u"memo_" + U16(std::to_wstring(i)) + u".jpg";
        if (!std::filesystem::exists(std::filesystem::path(folder + name)) && !WritePhoto(folder + name, store, width, height, i)) {
            std::printf("could not write the pictures\n");
            return 1;
        }
        memo += "line " + std::to_string(i) + "\r\n<IMG SRC=\"memo_" + std::to_string(i) + ".jpg\">\r\n";
    }
    {
        std::FILE* file = _wfopen(reinterpret_cast<const wchar_t*>((folder + u"memo.txt").c_str()), L"wb");
        std::fwrite(memo.data(), 1, memo.size(), file);
        std::fclose(file);
    }
    std::printf("pictures ready in %.1f s\n\n", Seconds(made));

    CPicList pictures(store);
    CDocList doc;
    SetUpDoc(doc, pictures);
    doc.SetMemoNames(folder, u"", u"memo");
    CPicWorkerLink link(pictures, store);
    link.Start(nullptr);
    link.SetMemoNames(folder, u"memo");
    CPicDisplayList display(pictures);
    PeakWatch watch;

    const std::size_t start = PrivateBytes();
    std::printf("private bytes at start: %.0f MiB (working set %.0f MiB)\n", MiB(start), MiB(WorkingSet()));
    std::printf("round  open s  show s  close s  pictures  peak MiB  after open MiB  after close MiB  working set MiB\n");
    std::size_t firstClosed = 0;
    std::size_t worstPeak = 0;
    double worstDrift = 0;
    for (int round = 1; round <= rounds; ++round) {
        watch.TakePeak();
        auto t = Clock::now();
        CPicMemoLoader loader(doc, pictures, link);
        loader.PrepareFile(folder + u"memo.txt");
        CDocListMemoSink sink(doc);
        CMemoReader reader(sink, loader);
        reader.ReadFile(folder + u"memo.txt");
        link.Synchronise();
        const double open = Seconds(t);
        const std::size_t opened = PrivateBytes();
        const int loaded = pictures.Count();
        t = Clock::now();
        ShowAll(doc, display);
        const double show = Seconds(t);
        t = Clock::now();
        doc.Reset();
        display.Clear();
        pictures.Files().Clear();
        const double close = Seconds(t);
        const std::size_t closed = PrivateBytes();
        const std::size_t peak = watch.TakePeak();
        if (round == 1)
            firstClosed = closed;
        worstPeak = std::max(worstPeak, peak);
        worstDrift = std::max(worstDrift, (double(closed) - double(firstClosed)) / double(firstClosed));
        std::printf("%5d  %6.1f  %6.2f  %7.2f  %8d  %8.0f  %14.0f  %15.0f  %15.0f  blocks %d pictures %d copies %d\n", round, open, show, close, loaded,
                    MiB(peak), MiB(opened), MiB(closed), MiB(WorkingSet()), int(store.BlockCount()), pictures.Count(), link.PictureWorker()->LibraryCopies());
    }
    std::printf("worst peak %.0f MiB; after each close within %+.1f %% of the first round\n\n", MiB(worstPeak),
                worstDrift * 100);

    // One large picture edited.
    {
        CPicMemoLoader loader(doc, pictures, link);
        CDocListMemoSink sink(doc);
        CMemoReader reader(sink, loader);
        const std::u16string one = u"<IMG SRC=\"memo_1.jpg\">";
        reader.ReadLines(one, folder + u"memo.txt", false);
        const int id = loader.LastId();
        auto t = Clock::now();
        link.Send(CPicRequest::TakeOver(id));
        link.Synchronise();
        std::printf("take over for editing:       %.2f s\n", Seconds(t));
        for (int turn = 0; turn < 3; ++turn) {
            t = Clock::now();
            link.Send(CPicRequest::Rotate(id, 90));
            link.Synchronise();
            std::printf("quarter turn (90):           %.2f s\n", Seconds(t));
        }
        t = Clock::now();
        link.Send(CPicRequest::Resize(id, width * 3 / 4, height * 3 / 4, CPicRequest::kBicubic));
        link.Synchronise();
        std::printf("bicubic resize to 75 %%:      %.2f s\n", Seconds(t));
        t = Clock::now();
        link.Send(CPicRequest::Rotate(id, 355));
        link.Synchronise();
        std::printf("free rotation (5 clockwise): %.2f s\n", Seconds(t));
        std::printf("peak while editing: %.0f MiB\n", MiB(watch.TakePeak()));
        doc.Reset();
    }
    link.Stop();
    for (const std::wstring& m : messages)
        std::printf("message: %ls\n", m.c_str());
    return 0;
}
