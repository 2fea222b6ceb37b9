// Any bytes, as a memo file or as clipboard text, through the decoder and the line reader.
#include <cstddef>
#include <cstdint>
#include <string>

#include "text/CMemoPictureLoader.h"
#include "text/CMemoReader.h"
#include "text/CMemoSink.h"
#include "text/CTextCodec.h"

namespace {

// Counts what arrives and refuses every second picture so that both branches run.
class CCountingDocument : public CMemoSink, public CMemoPictureLoader {
public:
    void InsertLine(std::u16string_view text, bool endsChapter) override
    {
        units += text.size();
        chapters += endsChapter ? 1 : 0;
    }
    void SetPageBreakBeforeCaret() override { ++pages; }
    bool LoadAtCaret(const std::u16string& path, const CPictureTag& tag) override
    {
        units += path.size() + static_cast<std::size_t>(tag.indent + 1);
        return (++pictures & 1) != 0;
    }

    std::size_t units = 0;
    std::size_t chapters = 0;
    std::size_t pages = 0;
    std::size_t pictures = 0;
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::u16string text = CTextCodec::Decode(data, size);
    CCountingDocument document;
    CMemoReader reader(document, document);
    const bool fromClipboard = size > 0 && (data[0] & 1);
    reader.ReadLines(text, fromClipboard ? std::u16string() : u"C:\\memo\\m.txt", fromClipboard);
    // Whatever was decoded must encode again without fault.
    std::string bytes;
    CTextCodec::EncodeExactly(text, bytes);
    return 0;
}
