// Search and replace: exact code units inside one paragraph, forward or backward, never wrapping.
#include "doc/CChapter.h"
#include "doc/CDocList.h"
#include "doc/CTextChapter.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

namespace {

// Chapters are read a block at a time, one lock per block. Within a block the loads run ahead of
// the search: the chapter kAhead × 3 places on, its payload kAhead × 2 on and its text kAhead on
// are fetched while one paragraph is searched, so the search rarely waits for memory.
constexpr int kSearchBlock = 256;
constexpr int kAhead = 8;

inline void Prefetch(const void* p)
{
    __builtin_prefetch(p);
}

// A chapter's text link (its last member), and what usually follows it in memory: the text
// payload and the start of its text (CChapter(owner) makes them in that order).
void PrefetchChapter(const CChapter* chapter)
{
    const char* link = reinterpret_cast<const char*>(chapter) + sizeof(CChapter) - sizeof(void*);
    for (int line = 0; line < 3; ++line)
        Prefetch(link + 64 * line);
}

// A text payload, which may straddle two cache lines.
void PrefetchPayload(const CTextChapter* payload)
{
    Prefetch(payload);
    Prefetch(reinterpret_cast<const char*>(payload) + sizeof(CTextChapter) - 1);
}

struct Paragraph {
    const char16_t* text = nullptr;
    int length = 0;
};

// The leftmost match of needle in text[from, length), npos when none. The needle's first unit is
// looked for eight units at a time: a word of four units holds it when the word XOR four copies
// of it has a zero lane.
std::size_t FindForward(const char16_t* text, std::size_t length, std::u16string_view needle, std::size_t from)
{
    const std::size_t n = needle.size();
    if (length < n || from > length - n)
        return std::u16string_view::npos;
    const std::size_t last = length - n;
    const char16_t head = needle[0];
    constexpr std::uint64_t kOnes = 0x0001000100010001u;
    constexpr std::uint64_t kHighs = 0x8000800080008000u;
    const std::uint64_t pattern = kOnes * head;
    std::size_t i = from;
    for (;;) {
        // Whole words of the text only; a word may run past the last place a match can start.
        for (; i <= last && i + 8 <= length; i += 8) {
            std::uint64_t words[2];
            std::memcpy(words, text + i, sizeof words);
            const std::uint64_t x = words[0] ^ pattern;
            const std::uint64_t y = words[1] ^ pattern;
            if ((((x - kOnes) & ~x) | ((y - kOnes) & ~y)) & kHighs)
                break;
        }
        for (const std::size_t stop = std::min(i + 8, last + 1); i < stop; ++i) {
            if (text[i] == head && std::equal(needle.begin() + 1, needle.end(), text + i + 1))
                return i;
        }
        if (i > last)
            return std::u16string_view::npos;
    }
}

void PrefetchText(const Paragraph& p)
{
    // At most the first four cache lines; the hardware follows a longer text by itself.
    const int units = std::min(p.length, 128);
    for (int i = 0; i < units; i += 32)
        Prefetch(p.text + i);
}

// The match in one paragraph: forward the leftmost from start on (from 0 when start is negative),
// backward the rightmost that starts at start or before.
std::size_t Search(const Paragraph& p, std::u16string_view needle, int direction, int start)
{
    const auto length = static_cast<std::size_t>(p.length);
    if (direction > 0)
        return FindForward(p.text, length, needle, static_cast<std::size_t>(std::max(0, start)));
    if (start < 0)
        return std::u16string_view::npos;
    return std::u16string_view(p.text, length).rfind(needle, static_cast<std::size_t>(start));
}

}  // namespace

bool CDocList::Find(std::u16string_view text, int direction, int startShift)
{
    if (text.empty())
        return false;
    const DocPos caret = CaretPos();
    const CChapter* caretChapter = Chapters().Item(caret.chapter);
    if (!caretChapter)
        return false;
    const int n = static_cast<int>(text.size());
    const int from = caretChapter->Picture() ? 0 : caret.offset + startShift;
    bool first = true;
    CChapter* block[kSearchBlock];
    const CTextChapter* bodies[kSearchBlock];
    Paragraph paragraphs[kSearchBlock];
    for (CListNode* node = caret.chapter; node;) {
        const int count = direction > 0 ? Chapters().StepForward(node, block, kSearchBlock)
                                        : Chapters().StepBackward(node, block, kSearchBlock);
        for (int i = -3 * kAhead; i < count; ++i) {
            if (const int c = i + 3 * kAhead; c < count)
                PrefetchChapter(block[c]);
            if (const int b = i + 2 * kAhead; b >= 0 && b < count) {
                bodies[b] = block[b]->Text();
                if (bodies[b])
                    PrefetchPayload(bodies[b]);
            }
            if (const int t = i + kAhead; t >= 0 && t < count) {
                paragraphs[t] = bodies[t] ? Paragraph{bodies[t]->Text(), bodies[t]->Length()} : Paragraph{};
                if (paragraphs[t].length >= n)
                    PrefetchText(paragraphs[t]);
            }
            if (i < 0)
                continue;
            const Paragraph& p = paragraphs[i];
            const bool atCaret = first;
            first = false;
            if (p.length < n)
                continue;
            const int start = atCaret ? from : direction > 0 ? 0 : p.length - n;
            const std::size_t hit = Search(p, text, direction, start);
            if (hit != std::u16string_view::npos) {
                SetCaretPos({block[i]->Position(), static_cast<int>(hit)});
                return true;
            }
        }
    }
    return false;
}

bool CDocList::SearchForward(std::u16string_view text)
{
    if (!FindNext(text))
        return false;
    const DocPos start = CaretPos();
    SelectBetween({start.chapter, start.offset + static_cast<int>(text.size())}, start);
    return true;
}

bool CDocList::SearchBackward(std::u16string_view text)
{
    if (!FindPrevious(text))
        return false;
    const DocPos start = CaretPos();
    SelectBetween({start.chapter, start.offset + static_cast<int>(text.size())}, start);
    return true;
}

bool CDocList::Replace(std::u16string_view search, std::u16string_view replacement)
{
    if (!FindAtCaret(search))
        return false;
    const DocPos start = CaretPos();
    SelectBetween({start.chapter, start.offset + static_cast<int>(search.size())}, start);
    DeleteSelection();
    if (replacement.empty())
        return true;
    const DocPos end = InsertAtCaret(replacement);
    SelectBetween({end.chapter, end.offset - static_cast<int>(replacement.size())}, end);
    return true;
}
