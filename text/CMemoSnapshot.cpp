#include "text/CMemoSnapshot.h"

#include <algorithm>

void CMemoSnapshot::AddText(std::u16string_view text, bool pageBreak, std::uint64_t key)
{
    if (!m_open)
        m_open = std::make_unique<Run>();
    Entry entry;
    entry.offset = m_open->text.size();
    entry.length = text.size();
    entry.pageBreak = pageBreak;
    m_open->text.append(text);
    m_open->entries.push_back(entry);
    m_open->keys.push_back(key);
}

void CMemoSnapshot::EndRun()
{
    if (!m_open)
        return;
    // A chapter without a key makes the whole run one that is never taken over.
    if (std::find(m_open->keys.begin(), m_open->keys.end(), 0u) != m_open->keys.end())
        m_open->keys.clear();
    if (!m_open->keys.empty())
        m_runByFirstKey.emplace(m_open->keys.front(), m_runs.size());
    Append(std::shared_ptr<const Run>(std::move(m_open)));
}

bool CMemoSnapshot::ReuseRun(const CMemoSnapshot& previous, const std::vector<std::uint64_t>& keys)
{
    EndRun();
    if (keys.empty())
        return false;
    const auto found = previous.m_runByFirstKey.find(keys.front());
    if (found == previous.m_runByFirstKey.end())
        return false;
    const std::shared_ptr<const Run>& run = previous.m_runs[found->second];
    if (run->keys != keys)
        return false;
    m_runByFirstKey.emplace(keys.front(), m_runs.size());
    Append(run);
    ++m_reused;
    return true;
}

void CMemoSnapshot::AddPicture(int indent, int pictureId, bool pageBreak, CMemoPictureStore& pictures)
{
    EndRun();
    auto run = std::make_shared<Run>();
    Entry entry;
    entry.picture = true;
    entry.indent = indent;
    entry.pictureId = pictureId;
    entry.pageBreak = pageBreak;
    run->entries.push_back(entry);
    Append(std::move(run));
    if (pictureId <= 0 || m_pictures.count(pictureId))
        return;
    PictureAnswers answers;
    answers.stored = pictures.Store(pictureId, answers.path);
    if (!answers.stored)
        answers.path = pictures.ExistingPath(pictureId);
    answers.hasRecord = pictures.Record(pictureId, answers.record);
    m_pictures.emplace(pictureId, std::move(answers));
}

void CMemoSnapshot::Append(std::shared_ptr<const Run> run)
{
    m_runStarts.push_back(m_chapterCount);
    m_chapterCount += run->entries.size();
    m_units += run->text.size();
    m_runs.push_back(std::move(run));
}

CMemoChapter CMemoSnapshot::Chapter(std::size_t index) const
{
    CMemoChapter out;
    // The open run is not part of the copy until it is closed.
    if (index >= m_chapterCount)
        return out;
    std::size_t run = m_lastRun < m_runs.size() ? m_lastRun : 0;
    if (index < m_runStarts[run] || index >= m_runStarts[run] + m_runs[run]->entries.size()) {
        if (run + 1 < m_runs.size() && index >= m_runStarts[run + 1] &&
            index < m_runStarts[run + 1] + m_runs[run + 1]->entries.size()) {
            ++run;
        } else {
            run = static_cast<std::size_t>(std::upper_bound(m_runStarts.begin(), m_runStarts.end(), index) -
                                           m_runStarts.begin()) - 1;
        }
    }
    m_lastRun = run;
    const Run& found = *m_runs[run];
    const Entry& entry = found.entries[index - m_runStarts[run]];
    out.picture = entry.picture;
    out.pageBreak = entry.pageBreak;
    out.indent = entry.indent;
    out.pictureId = entry.pictureId;
    if (!entry.picture)
        out.text = std::u16string_view(found.text).substr(entry.offset, entry.length);
    return out;
}

const CMemoSnapshot::PictureAnswers* CMemoSnapshot::AnswersFor(int pictureId) const
{
    const auto found = m_pictures.find(pictureId);
    return found == m_pictures.end() ? nullptr : &found->second;
}

bool CMemoSnapshot::Store(int pictureId, std::u16string& srcPath)
{
    const PictureAnswers* answers = AnswersFor(pictureId);
    if (!answers || !answers->stored)
        return false;
    srcPath = answers->path;
    return true;
}

std::u16string CMemoSnapshot::ExistingPath(int pictureId) const
{
    const PictureAnswers* answers = AnswersFor(pictureId);
    return answers && !answers->stored ? answers->path : std::u16string();
}

bool CMemoSnapshot::Record(int pictureId, CMemoPictureRecord& record) const
{
    const PictureAnswers* answers = AnswersFor(pictureId);
    if (!answers || !answers->hasRecord)
        return false;
    record = answers->record;
    return true;
}
