#pragma once
// The texts of the message boxes and of the status line as the user reads
// them, written out here for every test, apart from the program's own
// constants: a wrong text in the program fails the tests.
#include <string>

namespace dorvax::testing::texts {

// ---- Questions
inline const std::string kConfirmRun = "ファイル変換を実行してよろしいですか？";
inline const std::string kConfirmExit = "変換プログラムを終了してよろしいですか？";
inline const std::string kDeleteOldTree =
    "旧版フォルダ内の既存の\"\\dorvax\"フォルダを削除して、新たに\"\\dorvax\"フォルダを作成してもよろしいですか？\r\n"
    "（既存フォルダ内のファイルは全て削除されます）";
inline const std::string kOfferDeletion = "作成した旧版の\"\\dorvax\"フォルダを削除しますか。";
inline const std::string kInsertSecond =
    "１枚目のCD-ROMの変換処理が終了しました。\r\n"
    "１枚目のCD-ROMを取り出し、２枚目のCD-ROMを入れてください。\r\n"
    "入れ終わったら「OK」を押してください。\r\n"
    "変換処理を中断する場合は「キャンセル」を押してください。";
// The question about a file whose name does not fit, named by its folders.
inline std::string UnfitName(const std::string& yyyymm, const std::string& area, const std::string& file) {
  return "新版ファイル中に、年報CD-ROMのファイルに該当しない名称のファイルがあります。\r\n"
         "このファイルを処理せずに、変換処理を続けますか？\r\n"
         "（エラーファイル名：\\" +
         yyyymm + "\\" + area + "\\" + file + "）";
}

// ---- Notices
inline const std::string kFinished = "Dorvaxデータの変換処理が完了しました。";
inline const std::string kAborted = "変換処理を中断しました。";
inline const std::string kForcedEnd = "変換プログラムを強制終了します。";
inline std::string LeftOut(int files) {
  return "一部ファイルについては、変換処理を行いませんでした。\r\n（未処理ファイル数： " + std::to_string(files) +
         " ファイル）";
}

// ---- Refused choices
inline const std::string kNoSourceKind = "新版フォルダの読み込みフォルダが設定されていません。";
inline const std::string kNoSourceFolder = "指定された新版フォルダが存在しません。";
inline const std::string kSourceMalformed = "新版フォルダの指定が正しくされていません。";
inline const std::string kSameFolder = "新版フォルダと旧版フォルダに同一のフォルダを指定しています。";
inline const std::string kNoHourlyTree = "新版の指定フォルダ内に\"\\dorvax\\hourly\"フォルダが存在しません。";
inline const std::string kNotCdRom = "新版フォルダに指定されたドライブは、CD-ROMドライブではありません。";
inline const std::string kAccessDenied =
    "旧版フォルダの出力先に、書き込みできないドライブ等を指定しています。\r\n"
    "または、旧版フォルダを開いているため、フォルダを完全に削除できません。";

// ---- Stops
inline const std::string kDiskFull = "旧版フォルダの容量不足です。";
inline const std::string kNoDisc = "CD-ROMが入っていません。";
inline const std::string kSameDisc = "１枚目と同一のデータを含むCD-ROMが入っています。";
inline const std::string kShortFile = "ファイル内のデータが足りません。新版データを確認してください。";
inline const std::string kStationFileError = "新版の観測所地点情報ファイルにエラーがあります。";
inline const std::string kBadMonthFolder =
    "新版フォルダ中に、年報CD-ROMのフォルダに該当しない名称のフォルダがあります。\r\n"
    "（観測年月フォルダ名にエラーがあります）";
inline const std::string kBadAreaFolder =
    "新版フォルダ中に、年報CD-ROMのフォルダに該当しない名称のフォルダがあります。\r\n"
    "（観測所フォルダ名にエラーがあります）";
inline std::string StationFileMissing(const std::string& yyyymm) {
  return "新版フォルダに観測所地点情報ファイルがありません。\r\n(ファイル名：\\" + yyyymm + "\\idx" + yyyymm + ".csv)";
}
// The generic box begins so; the error number, " : " and the description follow.
inline const std::string kGeneric = "エラー発生により、現在の処理を中断します。\r\n";

// ---- Status line
inline const std::string kChecking = "（フォルダ構成等のチェックを行っています）";
inline const std::string kBuildingTree = "（旧版サブフォルダを作成しています）";
inline const std::string kConverting = "（新版ファイルを旧版ファイルに変換しています）";
inline const std::string kConverted = "（ファイル変換処理が終了しました）";
inline const std::string kDeleting = "（作成した旧版\"\\dorvax\"フォルダを削除しています）";

}  // namespace dorvax::testing::texts
