// Timed loop under Wine: the listing worker lists a memo base (made by make_memo_tree.py) while
// another thread keeps asking the window for an answer, so that both the listing time and how
// long the window ever kept a caller waiting are measured. A plain walk of the same tree with
// FindFirstFile/FindNextFile runs in the same process as the baseline.
//   dir_list_wine_bench.exe FOLDER [ROUNDS]
#include <windows.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cwchar>
#include <string>
#include <thread>
#include <vector>

#include "app/CDirListClient.h"
#include "app/CSortDirName.h"
#include "app/VelTextMessages.h"
#include "framework/CWnd.h"

namespace {

using Clock = std::chrono::steady_clock;

class CBenchWindow : public CWnd {
public:
    CDirListClient* client = nullptr;
    bool Open() { return CreateEx(0, L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr); }

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == kMsgQueueHasItems && client != nullptr) {
            client->DrainReplies();
            return 0;
        }
        if (message == WM_APP)
            return 1;
        return CWnd::WindowProc(message, wParam, lParam);
    }
};

int PlainWalk(const std::wstring& folder)
{
    int texts = 0;
    WIN32_FIND_DATAW data{};
    HANDLE find = FindFirstFileW((folder + L"*").c_str(), &data);
    if (find == INVALID_HANDLE_VALUE)
        return 0;
    do {
        const std::wstring name = data.cFileName;
        if (name == L"." || name == L"..")
            continue;
        if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
            texts += PlainWalk(folder + name + L"\\");
        else if (name.size() > 4 && name.compare(name.size() - 4, 4, L".txt") == 0)
            ++texts;
    } while (FindNextFileW(find, &data));
    FindClose(find);
    return texts;
}

double Milliseconds(Clock::duration d)
{
    return std::chrono::duration<double, std::milli>(d).count();
}

} // namespace

int wmain(int argc, wchar_t** argv)
{
    if (argc < 2) {
        std::fwprintf(stderr, L"usage: dir_list_wine_bench FOLDER [ROUNDS]\n");
        return 2;
    }
    std::wstring folder = argv[1];
    if (folder.back() != L'\\')
        folder += L'\\';
    const int rounds = argc > 2 ? static_cast<int>(std::wcstol(argv[2], nullptr, 10)) : 3;

    CSortDirName list;
    std::atomic<int> ready{0};
    CDirListClient client(list, [&ready](int value) { ready = value; });
    CBenchWindow window;
    if (!window.Open() || !client.Start(window.Handle()))
        return 1;
    window.client = &client;

    std::vector<double> listing, walking, worstWait;
    for (int round = 0; round < rounds; ++round) {
        std::atomic<bool> probing{true};
        std::atomic<long long> worst{0};
        std::atomic<int> probes{0};
        HWND hwnd = window.Handle();
        std::thread probe([&] {
            while (probing) {
                const auto start = Clock::now();
                DWORD_PTR answer = 0;
                SendMessageTimeoutW(hwnd, WM_APP, 0, 0, SMTO_NORMAL, 30000, &answer);
                const long long waited =
                    std::chrono::duration_cast<std::chrono::microseconds>(Clock::now() - start).count();
                worst = std::max(worst.load(), waited);
                ++probes;
                Sleep(5);
            }
        });
        const auto start = Clock::now();
        client.ListMemoBase(folder);
        MSG msg;
        while (ready != 1) {
            MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
            while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
                TranslateMessage(&msg);
                DispatchMessageW(&msg);
            }
        }
        listing.push_back(Milliseconds(Clock::now() - start));
        probing = false;
        probe.join();
        worstWait.push_back(static_cast<double>(worst) / 1000.0);

        const auto walkStart = Clock::now();
        const int texts = PlainWalk(folder);
        walking.push_back(Milliseconds(Clock::now() - walkStart));
        std::wprintf(L"round %d: listed %d memos in %.1f ms (window answered %d probes, worst wait %.2f ms); "
                     L"plain walk %.1f ms (%d text files)\n",
                     round + 1, list.Count(), listing.back(), probes.load(), worstWait.back(), walking.back(), texts);
    }
    std::sort(listing.begin(), listing.end());
    std::sort(walking.begin(), walking.end());
    std::wprintf(L"median: listing %.1f ms, plain walk %.1f ms, ratio %.2f; best: listing %.1f ms, plain walk "
                 L"%.1f ms; worst window wait %.2f ms\n",
                 listing[listing.size() / 2], walking[walking.size() / 2],
                 listing[listing.size() / 2] / walking[walking.size() / 2], listing.front(), walking.front(),
                 *std::max_element(worstWait.begin(), worstWait.end()));
    client.Stop();
    return 0;
}
