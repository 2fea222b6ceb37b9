#include "text/CMemoSnapshot.h"

void CMemoSnapshot::Clear(int tabWidth)
{
    m_tabWidth = tabWidth;
    m_text.clear();
    m_chapters.clear();
    m_pictures.clear();
}

void CMemoSnapshot::Reserve(std::size_t chapters, std::size_t units)
{
    m_chapters.reserve(chapters);
    m_text.reserve(units);
}

void CMemoSnapshot::AddText(std::u16string_view text, bool pageBreak)
{
    Entry entry;
    entry.offset = m_text.size();
    entry.length = text.size();
    entry.pageBreak = pageBreak;
    m_text.append(text);
    m_chapters.push_back(entry);
}

void CMemoSnapshot::AddPicture(int indent, int pictureId, bool pageBreak, CMemoPictureStore& pictures)
{
    Entry entry;
    entry.picture = true;
    entry.indent = indent;
    entry.pictureId = pictureId;
    entry.pageBreak = pageBreak;
    m_chapters.push_back(entry);
    if (pictureId <= 0 || m_pictures.count(pictureId))
        return;
    PictureAnswers answers;
    answers.stored = pictures.Store(pictureId, answers.path);
    if (!answers.stored)
        answers.path = pictures.ExistingPath(pictureId);
    answers.hasRecord = pictures.Record(pictureId, answers.record);
    m_pictures.emplace(pictureId, std::move(answers));
}

CMemoChapter CMemoSnapshot::Chapter(std::size_t index) const
{
    CMemoChapter out;
    if (index >= m_chapters.size())
        return out;
    const Entry& entry = m_chapters[index];
    out.picture = entry.picture;
    out.pageBreak = entry.pageBreak;
    out.indent = entry.indent;
    out.pictureId = entry.pictureId;
    if (!entry.picture)
        out.text = std::u16string_view(m_text).substr(entry.offset, entry.length);
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
