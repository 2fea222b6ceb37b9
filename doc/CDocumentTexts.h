#pragma once
// What the document shows the user and the names it uses on disk; "%s" stands for a path.
namespace document_texts {

inline constexpr char16_t kSaveFailed[] = u"メモの保存に失敗しました\n%s";
inline constexpr char16_t kSaveAsTitle[] = u"名前を付けて保存する";
inline constexpr char16_t kTextFilter[] = u"テキストファイル (*.TXT)|*.txt";
inline constexpr char16_t kTempFilePrefix[] = u"DefBackup";
inline constexpr char16_t kDefaultVdc[] = u"DefaultVdc.txt";

}  // namespace document_texts
