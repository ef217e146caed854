#include "config/coach/coach_entry_save.h"

#include "config/coach/coach_session.h"
#include "config/files/save_target.h"

namespace config {
namespace {

void Notice(DesignDocument& d, const std::string& text) {
  d.Notice = text;
  d.ShowNotice = true;
}

void WriteNow(const std::string& name, const std::string& entry, DesignDocument& d) {
  if (WriteCoachEntry(name, entry)) {
    d.Status = "最良の飛行を " + ShownName(name) + " に保存しました";
    return;
  }
  d.Status = ShownName(name) + " に保存できませんでした";
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
    d.Status = name.empty() ? "保存しませんでした" : ShownName(name) + " には保存しませんでした";
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
