#include "text/CJournalWriter.h"

#include <memory>
#include <new>

#include "platform/FileSystem.h"
#include "text/CSafeFileWriter.h"

CJournalWriter::CJournalWriter() : m_thread([this] { Run(); }) {}

CJournalWriter::~CJournalWriter()
{
    {
        std::lock_guard<std::mutex> lock(m_lock);
        m_stopping = true;
    }
    m_wake.notify_all();
    m_thread.join();
}

void CJournalWriter::Submit(std::u16string path, std::string bytes)
{
    auto shared = std::make_shared<std::string>(std::move(bytes));
    Submit(std::move(path), [shared] { return std::move(*shared); });
}

void CJournalWriter::Submit(std::u16string path, std::function<std::string()> compose)
{
    {
        std::lock_guard<std::mutex> lock(m_lock);
        m_waiting = Job{std::move(path), std::move(compose), false};
    }
    m_wake.notify_all();
}

void CJournalWriter::Discard(const std::u16string& path)
{
    {
        std::lock_guard<std::mutex> lock(m_lock);
        m_waiting = Job{path, {}, true};
    }
    m_wake.notify_all();
}

void CJournalWriter::Flush()
{
    std::unique_lock<std::mutex> lock(m_lock);
    m_idle.wait(lock, [this] { return !m_waiting && !m_busy; });
}

std::uint64_t CJournalWriter::Written() const
{
    std::lock_guard<std::mutex> lock(m_lock);
    return m_written;
}

bool CJournalWriter::WriteComposed(Job& job)
{
    std::string bytes;
    try {
        bytes = job.compose();
    } catch (const std::bad_alloc&) {
        return false;
    }
    job.compose = nullptr;  // the content's copy of the memo goes before the write
    return CSafeFileWriter::Write(job.path, bytes.data(), bytes.size());
}

void CJournalWriter::Run()
{
    std::unique_lock<std::mutex> lock(m_lock);
    for (;;) {
        m_wake.wait(lock, [this] { return m_waiting || m_stopping; });
        if (!m_waiting) {
            if (m_stopping)
                return;
            continue;
        }
        Job job = std::move(*m_waiting);
        m_waiting.reset();
        m_busy = true;
        lock.unlock();
        bool written = false;
        if (job.remove)
            vel::platform::RemoveFile(job.path);
        else
            written = WriteComposed(job);
        lock.lock();
        m_busy = false;
        if (written)
            ++m_written;
        if (!m_waiting)
            m_idle.notify_all();
    }
}
