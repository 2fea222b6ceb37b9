#pragma once
// Writes journal files on a thread of its own, so that a large memo's journal never holds up
// typing. Only the newest content waiting for a file is written: a journal superseded before its
// turn is dropped. Each write goes beside the file and then takes its place, flushed, so the
// file always holds a whole older or newer journal.
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <thread>

class CJournalWriter {
public:
    CJournalWriter();
    // Writes what is still waiting, then ends the thread.
    ~CJournalWriter();
    CJournalWriter(const CJournalWriter&) = delete;
    CJournalWriter& operator=(const CJournalWriter&) = delete;

    // Hands over the bytes for path; returns at once.
    void Submit(std::u16string path, std::string bytes);
    // Hands over what makes the bytes for path, called on the writer's thread; returns at once.
    // Content that cannot be made (no memory) leaves the file as it was.
    void Submit(std::u16string path, std::function<std::string()> compose);
    // Drops what waits and, once the write under way is done, removes path (the memo is safe).
    void Discard(const std::u16string& path);
    // Waits until nothing is waiting or being written.
    void Flush();
    // Journals written so far (for tests and measurements).
    std::uint64_t Written() const;

private:
    mutable std::mutex m_lock;
    std::condition_variable m_wake;
    std::condition_variable m_idle;
    struct Job {
        std::u16string path;
        std::function<std::string()> compose;
        bool remove = false;
    };
    void Run();
    static bool WriteComposed(Job& job);

    std::optional<Job> m_waiting;
    bool m_busy = false;
    bool m_stopping = false;
    std::uint64_t m_written = 0;
    std::thread m_thread;
};
