#pragma once
// Texts and titles that several steps share.
#include <cstdint>
#include <string>

namespace dorvax::msg {

inline const std::string kTitleConfirm = "確認";
inline const std::string kTitleError = "エラー";
inline const std::string kTitleStopped = "処理中断";
inline const std::string kTitleMessage = "メッセージ";
inline const std::string kTitleFinished = "変換終了";

inline const std::string kCrLf = "\r\n";
inline const std::string kAborted = "変換処理を中断しました。";
inline const std::string kDiskFull = "旧版フォルダの容量不足です。";
inline const std::string kNoDisc = "CD-ROMが入っていません。";

// "エラー発生により、現在の処理を中断します。" CR LF number " : " description.
std::string GenericError(int32_t number, const std::string& description);

// A status-line text in full-width parentheses.
inline std::string Status(const std::string& text) { return "（" + text + "）"; }

}  // namespace dorvax::msg
