#include <gtest/gtest.h>

#include "platform/CodePage.h"
#include "text/CTextCodec.h"

// The decoder's inputs are chosen so that the answer does not hang on the platform's Unicode
// statistics: UTF-16 with the mark FF FE, UTF-16 that is mostly ASCII, and code-page bytes of
// odd length (the odd-length test rules UTF-16 out) or pure ASCII of even length. Windows and
// Wine leave BOM-less all-Japanese UTF-16 undetected, so it is not tested.

namespace {

const std::string kNihongoSjis = "\x93\xFA\x96\x7B\x8C\xEA"; // 日本語
const std::string kTekisutoSjis = "\x83\x65\x83\x4C\x83\x58\x83\x67"; // テキスト

std::string Utf16Bytes(std::u16string_view text, bool mark)
{
    std::string bytes = mark ? std::string("\xFF\xFE") : std::string();
    for (char16_t u : text) {
        bytes.push_back(static_cast<char>(u & 0xFF));
        bytes.push_back(static_cast<char>(u >> 8));
    }
    return bytes;
}

std::u16string Decode(const std::string& bytes)
{
    return CTextCodec::Decode(bytes.data(), bytes.size());
}

} // namespace

TEST(UnicodeTest, OddLengthFlagIsTheAnswer)
{
    int flags = vel::platform::kUnicodeOddLength;
    EXPECT_FALSE(vel::platform::IsTextUnicode("abc", 3, &flags));
    EXPECT_EQ(flags & vel::platform::kUnicodeOddLength, vel::platform::kUnicodeOddLength);
    flags = vel::platform::kUnicodeOddLength;
    const std::string even = Utf16Bytes(u"ab", false);
    EXPECT_FALSE(vel::platform::IsTextUnicode(even.data(), even.size(), &flags));
    EXPECT_EQ(flags & vel::platform::kUnicodeOddLength, 0);
}

TEST(UnicodeTest, SignatureFlags)
{
    int flags = vel::platform::kUnicodeSignature;
    vel::platform::IsTextUnicode("\xFF\xFE" "a\0", 4, &flags);
    EXPECT_NE(flags & vel::platform::kUnicodeSignature, 0);
    flags = vel::platform::kUnicodeReverseSignature;
    vel::platform::IsTextUnicode("\xFE\xFF\0a", 4, &flags);
    EXPECT_NE(flags & vel::platform::kUnicodeReverseSignature, 0);
    flags = vel::platform::kUnicodeSignature;
    vel::platform::IsTextUnicode("abcd", 4, &flags);
    EXPECT_EQ(flags & vel::platform::kUnicodeSignature, 0);
}

TEST(DecodeTest, Utf16WithMarkLosesTheMark)
{
    EXPECT_EQ(Decode(Utf16Bytes(u"日本語テキスト\r\nです", true)), u"日本語テキスト\r\nです");
    EXPECT_EQ(Decode(Utf16Bytes(u"", true)), u"");
}

TEST(DecodeTest, Utf16WithoutMarkThatPassesTheTests)
{
    EXPECT_EQ(Decode(Utf16Bytes(u"Hello, world\r\nmemo 日本", false)), u"Hello, world\r\nmemo 日本");
}

TEST(DecodeTest, Utf16StopsAtTheFirstZeroUnit)
{
    EXPECT_EQ(Decode(Utf16Bytes(std::u16string(u"ab\0cd", 5), true)), u"ab");
}

TEST(DecodeTest, CodePageText)
{
    EXPECT_EQ(Decode(kNihongoSjis + "x"), u"日本語x");                  // odd length
    EXPECT_EQ(Decode("ab\r\n" + kTekisutoSjis + "."), u"ab\r\nテキスト."); // odd length
    EXPECT_EQ(Decode("plain ASCII text"), u"plain ASCII text");          // even, but no UTF-16 look
}

TEST(DecodeTest, ZeroBytesBecomeDotsExceptTheLast)
{
    EXPECT_EQ(Decode(std::string("a\0b\0c", 5)), u"a.b.c");
    EXPECT_EQ(Decode(std::string("abcd\0", 5)), u"abcd");
    EXPECT_EQ(Decode(std::string("\0", 1)), u"");
}

TEST(DecodeTest, NothingGivesNothing)
{
    EXPECT_EQ(CTextCodec::Decode(nullptr, 0), u"");
    EXPECT_EQ(Decode(""), u"");
}

TEST(EncodeTest, CodePageBytesExactly)
{
    EXPECT_EQ(CTextCodec::Encode(u"日本語テキスト"), kNihongoSjis + kTekisutoSjis);
    EXPECT_EQ(CTextCodec::Encode(u"表\tabc\r\n"), "\x95\x5C\tabc\r\n");
    EXPECT_EQ(CTextCodec::Encode(u""), "");
    std::string bytes;
    EXPECT_TRUE(CTextCodec::EncodeExactly(u"日本語 ｱｲｳ ①②", bytes));
    EXPECT_EQ(Decode(bytes + " "), u"日本語 ｱｲｳ ①② ");
}

TEST(EncodeTest, CharactersOutsideTheCodePageAreLosses)
{
    std::string bytes;
    EXPECT_FALSE(CTextCodec::EncodeExactly(u"smile \U0001F600", bytes));
    EXPECT_FALSE(CTextCodec::EncodeExactly(u"café", bytes)); // best-fitted or "?", never kept
    EXPECT_FALSE(CTextCodec::EncodeExactly(u"𠮷野家", bytes));
    EXPECT_TRUE(CTextCodec::EncodeExactly(u"", bytes));
}

TEST(EncodeTest, LongTextIsCheckedPieceByPiece)
{
    std::u16string text;
    for (int i = 0; i < 30000; ++i)
        text += (i % 100 == 99) ? u'\n' : u"日本語テキスト"[i % 7];
    std::string bytes;
    EXPECT_TRUE(CTextCodec::EncodeExactly(text, bytes));
    EXPECT_EQ(bytes, CTextCodec::Encode(text));
    text.insert(8191, u"\U0001F600"); // a surrogate pair across a piece boundary
    EXPECT_FALSE(CTextCodec::EncodeExactly(text, bytes));
}

TEST(DecodeTest, Utf8WithItsMark)
{
    // 日本語 café 😀 and a line end: the mark goes, everything else is kept.
    EXPECT_EQ(Decode("\xEF\xBB\xBF\xE6\x97\xA5\xE6\x9C\xAC\xE8\xAA\x9E caf\xC3\xA9 \xF0\x9F\x98\x80\r\n"),
              u"日本語 café \U0001F600\r\n");
    // Even length and ASCII: no Unicode test gets a say once the mark is there.
    EXPECT_EQ(Decode("\xEF\xBB\xBF" "abc"), u"abc");
    // Malformed sequences are one U+FFFD per byte: a stray continuation byte, an overlong
    // form, an encoded surrogate, a sequence cut short at the end.
    EXPECT_EQ(Decode("\xEF\xBB\xBF" "a\x80" "b\xC0\xAF" "c\xED\xA0\x80" "d\xE6\x97"),
              u"a\uFFFDb\uFFFD\uFFFDc\uFFFD\uFFFD\uFFFDd\uFFFD\uFFFD");
    // Zero bytes as in code-page text.
    EXPECT_EQ(Decode(std::string("\xEF\xBB\xBF" "a\0b\0", 7)), u"a.b");
    EXPECT_EQ(Decode("\xEF\xBB\xBF"), u"");
}

TEST(DecodeTest, EmptyTexts)
{
    EXPECT_TRUE(CTextCodec::IsEmptyText("", 0));
    EXPECT_TRUE(CTextCodec::IsEmptyText("\xFF\xFE", 2));
    EXPECT_TRUE(CTextCodec::IsEmptyText("\xEF\xBB\xBF", 3));
    EXPECT_FALSE(CTextCodec::IsEmptyText("\xFF\xFE" "a\0", 4));
    EXPECT_FALSE(CTextCodec::IsEmptyText("\0", 1));
    EXPECT_FALSE(CTextCodec::IsEmptyText(" ", 1));
}

// A system whose code page is UTF-8 (65001) converts without the composite flags, which it
// would reject; memos are then written in UTF-8 and never need the UTF-16 fallback. These run
// under Wine with a UTF-8 locale (memo_format_tests_utf8) and are skipped elsewhere.
TEST(Utf8SystemCodePage, ConvertsEveryCharacterExactly)
{
    if (vel::platform::SystemCodePage() != 65001)
        GTEST_SKIP() << "system code page " << vel::platform::SystemCodePage();
    const std::u16string text = u"日本語 café \U0001F600 か\u3099 ｱｲｳ";
    std::string bytes;
    EXPECT_TRUE(CTextCodec::EncodeExactly(text, bytes));
    EXPECT_EQ(bytes, "\xE6\x97\xA5\xE6\x9C\xAC\xE8\xAA\x9E caf\xC3\xA9 \xF0\x9F\x98\x80 \xE3\x81\x8B\xE3\x82\x99 "
                     "\xEF\xBD\xB1\xEF\xBD\xB2\xEF\xBD\xB3");
    EXPECT_EQ(vel::platform::AnsiToUtf16(bytes.data(), bytes.size()), text);
    EXPECT_EQ(Decode(bytes + "."), text + u".");
}

TEST(EncodeTest, ExactMeansTheBytesReadBackUnchanged)
{
    // Every character alone and after a kanji, and the answer of EncodeExactly against a
    // decoding of its bytes.
    std::string bytes;
    for (unsigned c = 1; c < 0x10000; ++c) {
        if (c >= 0xD800 && c < 0xE000)
            continue;
        const char16_t unit = static_cast<char16_t>(c);
        for (const std::u16string& text : {std::u16string(1, unit), std::u16string{u'日', unit}}) {
            const bool exact = CTextCodec::EncodeExactly(text, bytes);
            const bool readsBack = vel::platform::AnsiToUtf16(bytes.data(), bytes.size()) == text;
            ASSERT_EQ(exact, readsBack) << "U+" << std::hex << c;
        }
    }
}
