#pragma once
// The texts the save checks show; "%s" stands for the full path.
namespace file_name_messages {

inline constexpr char16_t kNoFileName[] = u"%s\n有効なファイル名を指定してください";
inline constexpr char16_t kIsDirectory[] = u"%s\nディレクトリを指定しています\n別の名前で保存してください";
inline constexpr char16_t kNoFolder[] = u"%s\n保存ディレクトリがありません\n別のディレクトリに保存してください";
inline constexpr char16_t kReadOnlyFolder[] =
    u"%s\n読み取り専用ディレクトリに保存しようとしています\n別のディレクトリに保存してください";
inline constexpr char16_t kCannotSave[] = u"%s\nこのファイルには保存できません";
inline constexpr char16_t kReadOnlyFile[] = u"%s\n読み取り専用ファイルに上書きできません\n別の名前で保存してください";
inline constexpr char16_t kSystemFile[] = u"%s\nシステムファイルに上書きできません\n別の名前で保存してください";

} // namespace file_name_messages
