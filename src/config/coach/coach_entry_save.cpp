#include "config/coach/coach_entry_save.h"

#include "config/coach/coach_session.h"
#include "config/files/save_target.h"
#include "platform/text/language.h"

namespace config {
namespace {

using platform::Formatted;
using platform::TranslatedUtf8;

void Notice(DesignDocument& d, const std::string& text) {
  d.Notice = text;
  d.ShowNotice = true;
}

void WriteNow(const std::string& name, const std::string& entry, DesignDocument& d) {
  if (WriteCoachEntry(name, entry)) {
    d.Status = Formatted(TranslatedUtf8(N_("最良の飛行を %s に保存しました")), ShownName(name).c_str());
    return;
  }
  d.Status = Formatted(TranslatedUtf8(N_("%s に保存できませんでした")), ShownName(name).c_str());
  Notice(d, d.Status);
}

}  // namespace

void RequestCoachEntrySave(CoachEntrySave& save, const std::string& typedName, const sim::CoachResult& result,
                           DesignDocument& d) {
  if (save.AskOverwrite) return;  // already asking
  const std::string name = SaveAsFileName(typedName);
  const std::string& entry = CoachEntryText(result);  // empty without a flight: the write then fails
  const SaveTargetCheck check = CheckSaveTarget(name);
  if (RefusesSaveTarget(check)) {
    Notice(d, DescribeSaveTarget(check, ShownName(name)));
    d.Status = name.empty() ? TranslatedUtf8(N_("保存しませんでした"))
                            : Formatted(TranslatedUtf8(N_("%s には保存しませんでした")), ShownName(name).c_str());
    return;
  }
  if (check == SaveTargetCheck::Exists) {
    save = {.AskOverwrite = true, .Pending = name, .PendingEntry = entry};
    return;
  }
  WriteNow(name, entry, d);
}

void ConfirmCoachEntryOverwrite(CoachEntrySave& save, DesignDocument& d) {
  // The popup has already put its flag down: what was asked about is in Pending.
  if (!save.Pending.empty()) WriteNow(save.Pending, save.PendingEntry, d);
  CancelCoachEntryOverwrite(save);
}

void CancelCoachEntryOverwrite(CoachEntrySave& save) { save = {}; }

}  // namespace config
