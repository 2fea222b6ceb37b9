#include "text/CMemoWriter.h"

#include <new>

#include "text/CMemoPictureStore.h"
#include "text/CMemoSource.h"
#include "text/CPictureTag.h"
#include "text/CSafeFileWriter.h"
#include "text/CTextCodec.h"

namespace {

constexpr std::u16string_view kLineEnd = u"\r\n";
constexpr std::u16string_view kPageLine = u"<page>";

void AppendSpaces(std::u16string& out, long long count)
{
    if (count > 0)
        out.append(static_cast<std::size_t>(count), u' ');
}

} // namespace

void CMemoWriter::AppendText(std::u16string& out, std::u16string_view text, std::size_t index, int saveType) const
{
    const std::size_t tabs = text.find_first_not_of(u'\t') == std::u16string_view::npos
                                 ? text.size()
                                 : text.find_first_not_of(u'\t');
    if (saveType == kMemoFormat) {
        out += text;
        return;
    }
    if (saveType == kWithoutParagraphs) {
        out += text.substr(tabs);
        return;
    }
    const long long tabWidth = m_source.TabWidth();
    const std::vector<CMemoDisplayLine> lines = m_source.DisplayLines(index);
    if (lines.empty()) { // not laid out: the chapter is one line
        AppendSpaces(out, static_cast<long long>(tabs) * tabWidth);
        out += text.substr(tabs);
        return;
    }
    for (std::size_t k = 0; k < lines.size(); ++k) {
        const std::u16string& line = lines[k].text;
        if (k == 0) {
            const std::size_t lead = line.find_first_not_of(u'\t') == std::u16string::npos
                                         ? line.size()
                                         : line.find_first_not_of(u'\t');
            AppendSpaces(out, static_cast<long long>(lead) * tabWidth);
            out.append(line, lead);
        } else {
            out += kLineEnd;
            AppendSpaces(out, lines[k].indentColumns);
            out += line;
        }
    }
}

bool CMemoWriter::AppendPicture(CMemoComposition& out, int indent, int pictureId, int saveType, bool withAttributes)
{
    std::u16string src;
    if (!m_pictures.Store(pictureId, src)) {
        // The text is worth more than one picture: name the file the picture already has, so
        // that the memo still shows it, and let the caller tell the user.
        out.failedPictureIds.push_back(pictureId);
        src = m_pictures.ExistingPath(pictureId);
        if (src.empty()) {
            out.omittedPictureIds.push_back(pictureId);
            return false;
        }
    }
    std::u16string& text = out.text;
    if (saveType == kMemoFormat && indent > 0)
        text.append(static_cast<std::size_t>(indent), u'\t');
    else if (saveType == kParagraphsAsSpaces)
        AppendSpaces(text, static_cast<long long>(indent) * m_source.TabWidth());

    CMemoPictureRecord record;
    if (saveType == kMemoFormat && withAttributes && m_pictures.Record(pictureId, record)) {
        CPictureAttributes attributes;
        attributes.width = record.displayWidth;
        attributes.height = record.displayHeight;
        attributes.cposX = record.visibleWidth == 0 ? 0 : record.visibleX;
        attributes.csizeX = record.visibleWidth == 0 ? record.pictureWidth : record.visibleWidth;
        attributes.cposY = record.visibleHeight == 0 ? 0 : record.visibleY;
        attributes.csizeY = record.visibleHeight == 0 ? record.pictureHeight : record.visibleHeight;
        text += CPictureAttributes::FormatTag(src, &attributes);
    } else {
        text += CPictureAttributes::FormatTag(src, nullptr);
    }
    return true;
}

CMemoComposition CMemoWriter::Compose(int saveType, bool withAttributes)
{
    CMemoComposition out;
    std::u16string& text = out.text;
    const std::size_t count = m_source.ChapterCount();
    std::size_t estimate = 0;
    for (std::size_t i = 0; i < count; ++i)
        estimate += m_source.Chapter(i).text.size() + 2;
    text.reserve(estimate + estimate / 8);
    bool previousPageBreak = false;
    for (std::size_t i = 0; i < count; ++i) {
        if (i > 0) {
            text += kLineEnd;
            if (saveType == kMemoFormat && previousPageBreak) {
                text += kPageLine;
                text += kLineEnd;
            }
        }
        const CMemoChapter chapter = m_source.Chapter(i);
        previousPageBreak = chapter.pageBreak;
        if (!chapter.picture) {
            AppendText(text, chapter.text, i, saveType);
            ++out.handled;
        } else if (chapter.pictureId > 0) {
            if (AppendPicture(out, chapter.indent, chapter.pictureId, saveType, withAttributes))
                ++out.handled;
        }
    }
    // A page break on the last chapter has no following chapter to stand before; write it
    // anyway so that it survives the next reading.
    if (saveType == kMemoFormat && count > 0 && previousPageBreak) {
        text += kLineEnd;
        text += kPageLine;
    }
    return out;
}

std::string CMemoWriter::EncodeFile(const std::u16string& text)
{
    std::string bytes;
    if (CTextCodec::EncodeExactly(text, bytes))
        return bytes;
    bytes.clear();
    bytes.reserve(2 + text.size() * 2);
    bytes.push_back(static_cast<char>(0xFF));
    bytes.push_back(static_cast<char>(0xFE));
    for (const char16_t unit : text) {
        bytes.push_back(static_cast<char>(unit & 0xFF));
        bytes.push_back(static_cast<char>(unit >> 8));
    }
    return bytes;
}

CMemoWriteResult CMemoWriter::WriteFile(const std::u16string& path, int saveType, bool withAttributes)
{
    CMemoWriteResult result;
    std::string bytes;
    try {
        CMemoComposition composition = Compose(saveType, withAttributes);
        result.failedPictureIds = std::move(composition.failedPictureIds);
        result.omittedPictureIds = std::move(composition.omittedPictureIds);
        if (composition.handled == 0)
            return result; // nothing to write must never empty the old file
        bytes = EncodeFile(composition.text);
    } catch (const std::bad_alloc&) {
        return result;
    }
    if (!CSafeFileWriter::Write(path, bytes.data(), bytes.size()))
        return result;
    result.status = result.failedPictureIds.empty() ? CMemoWriteResult::kWritten : CMemoWriteResult::kPictureFailed;
    return result;
}
