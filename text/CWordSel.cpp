#include "text/CWordSel.h"

#include <array>
#include <memory>

namespace {

// Separators: punctuation and white space, then the symbol set, in their stored order.
constexpr char16_t kPunctuation[] =
    u"\n\r\t !\"#$%&'()=-~^|\\`{[+;*:}]<,>?/@"
    u"｢｣､｡･"
    u"\u3000"
    u"！”＃＄％＆’（）＝－～＾｜￥‘＠｛「［＋；＊：｝」］＜、，＞。？／・";

constexpr char16_t kSymbols[] =
    u"●◆〒■○▼★☆§¨°±´¶×＠÷†‡‥…※‰€℃№℡′″ÅⅠⅡⅢⅣⅤⅥⅦⅧⅨⅩⅰⅱⅲⅳⅴⅵⅶⅷⅸⅹ←↑→↓⇒⇔∀∂∃∇∈∋∑√∝∞∟∠∥∧∨∩∪∫∬∮∴∵∽≒≠≡≦≧≪≫⊂⊃⊆⊇⊥⊿⌒"
    u"①②③④⑤⑥⑦⑧⑨⑩⑪⑫⑬⑭⑮⑯⑰⑱⑲⑳□▲△▽◇◎♀♂♪♭♯〓〈〉《》『』｛｝「」【】≪≫()<>{}〝〟"
    u"㈱㈲㈹㊤㊥㊦㊧㊨㌃㌍㌔㌘㌢㌣㌦㌧㌫㌶㌻㍉㍊㍍㍑㍗㍻㍼㍽㍾㎎㎏㎜㎝㎞㎡㏄㏍仝￠￡";

constexpr char16_t kAsciiLetters[] = u"abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ_";
constexpr char16_t kWideLetters[] =
    u"ａｂｃｄｅｆｇｈｉｊｋｌｍｎｏｐｑｒｓｔｕｖｗｘｙｚＡＢＣＤＥＦＧＨＩＪＫＬＭＮＯＰＱＲＳＴＵＶＷＸＹＺ＿";
constexpr char16_t kAsciiDigits[] = u"0123456789.";
constexpr char16_t kWideDigits[] = u"０１２３４５６７８９．";
constexpr char16_t kHiragana[] =
    u"あいうえおかきくけこさしすせそたちつてとなにぬねのはひふへほまみむめもやゆよらりるれろわゐゑをんぁぃぅぇぉっゃゅょゎ"
    u"がぎぐげござじずぜぞだぢづでどばびぶべぼぱぴぷぺぽ";
constexpr char16_t kHalfKatakana[] = u"ｱｲｳｴｵｶｷｸｹｺｻｼｽｾｿﾀﾁﾂﾃﾄﾅﾆﾇﾈﾉﾊﾋﾌﾍﾎﾏﾐﾑﾒﾓﾔﾕﾖﾗﾘﾙﾚﾛﾜｦﾝｧｨｩｪｫｯｬｭｮﾞﾟｰ";
constexpr char16_t kWideKatakana[] =
    u"アイウエオカキクケコサシスセソタチツテトナニヌネノハヒフヘホマミムメモヤユヨラリルレロワヰヱヲンァィゥェォッャュョヮ"
    u"ガギグゲゴザジズゼゾダヂヅデドバビブベボパピプペポー";

using ClassTable = std::array<std::uint8_t, 0x10000>;

// One class per UTF-16 code unit, built once. A character takes the first class whose set holds
// it, so the sets are applied from the last class to the first.
std::unique_ptr<ClassTable> BuildTable()
{
    auto table = std::make_unique<ClassTable>();
    table->fill(CWordSel::kOther);
    auto apply = [&](const char16_t* set, int cls) {
        for (const char16_t* p = set; *p; ++p)
            (*table)[*p] = static_cast<std::uint8_t>(cls);
    };
    apply(kWideKatakana, CWordSel::kWideKatakana);
    apply(kHalfKatakana, CWordSel::kHalfKatakana);
    apply(kHiragana, CWordSel::kHiragana);
    apply(kWideDigits, CWordSel::kWideDigit);
    apply(kAsciiDigits, CWordSel::kAsciiDigit);
    apply(kWideLetters, CWordSel::kWideLetter);
    apply(kAsciiLetters, CWordSel::kAsciiLetter);
    // Greek capitals and small letters (no final sigma), Cyrillic with Ё and ё.
    for (char16_t c = 0x0391; c <= 0x03A9; ++c)
        if (c != 0x03A2) (*table)[c] = CWordSel::kSeparator;
    for (char16_t c = 0x03B1; c <= 0x03C9; ++c)
        if (c != 0x03C2) (*table)[c] = CWordSel::kSeparator;
    for (char16_t c = 0x0410; c <= 0x044F; ++c)
        (*table)[c] = CWordSel::kSeparator;
    (*table)[0x0401] = CWordSel::kSeparator;
    (*table)[0x0451] = CWordSel::kSeparator;
    apply(kSymbols, CWordSel::kSeparator);
    apply(kPunctuation, CWordSel::kSeparator);
    (*table)[0] = CWordSel::kSeparator;
    return table;
}

const ClassTable& Table()
{
    static const std::unique_ptr<ClassTable> table = BuildTable();
    return *table;
}

} // namespace

int CWordSel::ClassOf(char16_t c)
{
    return Table()[c];
}

int CWordSel::Classify(int pos) const
{
    if (!m_text || pos < 0 || pos >= m_length)
        return kSeparator;
    return ClassOf(m_text[pos]);
}

bool CWordSel::IsOfClass(int pos, int cls) const
{
    if (!m_text || pos < 0 || pos >= m_length)
        return false;
    return ClassOf(m_text[pos]) == cls;
}

CWordSel::Word CWordSel::WordAround(int pos) const
{
    Word word{Classify(pos), pos, pos};
    if (word.cls == kSeparator)
        return word;
    while (IsOfClass(word.start - 1, word.cls))
        --word.start;
    while (IsOfClass(word.end + 1, word.cls))
        ++word.end;
    ++word.end;
    return word;
}
