#pragma once
// What the edit window tells the user; "%s" stands for a file path.
namespace edit_messages {

inline constexpr char16_t kCannotOpenFile[] = u"ファイルが開けません。\n%s";

}  // namespace edit_messages
