// The messages about a figures export, for the window and the command line: apart from
// figures_export.cpp, whose texts belong to the CSV file and are the same in every
// language.
#include "config/figures/figures_export.h"

#include "platform/text/language.h"

namespace config {

using platform::Formatted;
using platform::TranslatedUtf8;

std::string RefusedTargetMessage(const std::string& shownName) {
  return Formatted(
      TranslatedUtf8(N_("「%s」には書き出しません (フォルダ、設計ファイル、ゲームのファイルのいずれかです)。")),
      shownName.c_str());
}

std::string CannotWriteMessage(const std::string& shownName) {
  return Formatted(
      TranslatedUtf8(N_("%s に書き込めません (書き込み権限か空き容量、フォルダを確認してください)。何も書いていません。")),
      shownName.c_str());
}

std::string DescribeExportResult(ExportResult result, const std::string& shownName, CsvEncoding encoding) {
  switch (result) {
    case ExportResult::Written:
      return Formatted(TranslatedUtf8(N_("図表を %s に書き出しました (%s)")), shownName.c_str(),
                       encoding == CsvEncoding::ShiftJis ? "Shift-JIS" : TranslatedUtf8(N_("UTF-8、BOM 付き")));
    case ExportResult::CannotRead: return Formatted(TranslatedUtf8(N_("%s を読めません。")), shownName.c_str());
    case ExportResult::NotADesign:
      return Formatted(TranslatedUtf8(N_("%s は機体の設計ファイルではありません。")), shownName.c_str());
    case ExportResult::Refused:
      return RefusedTargetMessage(shownName);
    case ExportResult::CannotWrite:
      return CannotWriteMessage(shownName);
  }
  return {};
}

}  // namespace config
