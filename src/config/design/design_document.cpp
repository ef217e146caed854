#include "config/design/design_document.h"

#include "config/files/file_names.h"
#include "config/files/save_target.h"
#include "platform/io/files.h"
#include "platform/text/language.h"

namespace config {
namespace {

using platform::Formatted;
using platform::TranslatedUtf8;

void ShowNotice(DesignDocument& d, const std::string& text) {
  d.Notice = text;
  d.ShowNotice = true;
}

DesignChange OpenNow(DesignDocument& d, const std::string& name) {
  if (!OpenDesign(d.Editor, name)) {
    ShowNotice(d, DescribeFileProblem(d.Editor.Problems.front(), ShownName(name)) + "\n" +
                      TranslatedUtf8(N_("値は変えていません。")));
    d.Status = Formatted(TranslatedUtf8(N_("%s を開けませんでした")), ShownName(name).c_str());
    return DesignChange::Kept;
  }
  d.Status = Formatted(
      TranslatedUtf8(name == kDesignFileName ? N_("%s を開きました") : N_("%s を開きました (保存先は temp.txt)")),
      ShownName(name).c_str());
  d.ShowFileProblems = !d.Editor.Problems.empty();
  return DesignChange::Replaced;
}

// Saves (to the design's file, or to a "save as" name) and reports; Saved when the
// design is now in that file.
SaveResult SaveNow(DesignDocument& d) {
  const std::string name = d.PendingSaveAs.empty() ? d.Editor.TargetName : d.PendingSaveAs;
  d.PendingSaveAs.clear();
  const SaveResult result = SaveDesignAs(d.Editor, name);
  d.Status = DescribeSaveResult(result, name);
  if (result != SaveResult::Saved) ShowNotice(d, d.Status);
  return result;
}

DesignChange ContinuePending(DesignDocument& d) {
  DesignChange change = DesignChange::Kept;
  if (d.PendingAction == DesignDocument::AfterPrompt::Quit) d.Quit = true;
  if (d.PendingAction == DesignDocument::AfterPrompt::Open) change = OpenNow(d, d.PendingOpen);
  d.PendingAction = DesignDocument::AfterPrompt::Nothing;
  return change;
}

DesignChange RequestAction(DesignDocument& d, DesignDocument::AfterPrompt action, const std::string& openName) {
  if (d.AskUnsaved) return DesignChange::Kept;  // already asking
  d.PendingAction = action;
  d.PendingOpen = openName;
  if (IsDirty(d.Editor)) {
    d.AskUnsaved = true;
    return DesignChange::Kept;
  }
  return ContinuePending(d);
}

std::string RefusalText(const std::vector<DesignWarning>& warnings) {
  std::string text = std::string(TranslatedUtf8(N_("この設計は保存できません:"))) + "\n";
  for (const DesignWarning& w : warnings) {
    if (RefusesSave(w.Kind)) text += "・" + DescribeWarning(w) + "\n";  // in every language
  }
  return text;
}

}  // namespace

DesignDocument StartDocument() {
  DesignDocument d;
  d.Editor = StartEditor();
  const bool started = !d.Editor.SourceName.empty();
  if (!started) {
    ShowNotice(d, TranslatedUtf8(N_("temp.txt がありません (または読めません)。既定の設計で始めます。\n"
                                    "保存するまで temp.txt は作られません。")));
    d.Status = TranslatedUtf8(N_("既定の設計で始めました"));
  } else {
    d.Status = TranslatedUtf8(N_("temp.txt を開きました"));
    d.ShowFileProblems = !d.Editor.Problems.empty();
  }
  return d;
}

DesignChange RequestOpen(DesignDocument& d, const std::string& gameFileName) {
  return RequestAction(d, DesignDocument::AfterPrompt::Open, gameFileName);
}

void RequestQuit(DesignDocument& d) { RequestAction(d, DesignDocument::AfterPrompt::Quit, {}); }

DesignChange SaveThenContinue(DesignDocument& d) {
  d.AskUnsaved = false;
  if (SaveNow(d) == SaveResult::Saved) return ContinuePending(d);
  d.PendingAction = DesignDocument::AfterPrompt::Nothing;
  return DesignChange::Kept;
}

DesignChange ContinueWithoutSaving(DesignDocument& d) {
  d.AskUnsaved = false;
  return ContinuePending(d);
}

void CancelPending(DesignDocument& d) {
  d.AskUnsaved = false;
  d.PendingAction = DesignDocument::AfterPrompt::Nothing;
}

bool QuitPending(const DesignDocument& d) { return d.PendingAction == DesignDocument::AfterPrompt::Quit; }

namespace {

// Saves to the design's file, or to PendingSaveAs when set, after the design's
// warnings: a refusal ends it, warnings ask first.
void SaveAfterWarnings(DesignDocument& d, const std::vector<DesignWarning>& warnings) {
  if (AnyRefusal(warnings)) {
    d.PendingSaveAs.clear();
    ShowNotice(d, RefusalText(warnings));
    return;
  }
  if (!warnings.empty()) {
    d.AskSaveWithWarnings = true;
    return;
  }
  SaveNow(d);
}

}  // namespace

void RequestSave(DesignDocument& d, const std::vector<DesignWarning>& warnings) {
  d.PendingSaveAs.clear();
  SaveAfterWarnings(d, warnings);
}

void RequestSaveAs(DesignDocument& d, const std::string& typedName, const std::vector<DesignWarning>& warnings) {
  if (d.AskUnsaved || d.AskOverwrite || d.AskSaveWithWarnings) return;  // already asking
  const std::string name = SaveAsFileName(typedName);
  const SaveTargetCheck check = CheckSaveTarget(name);
  if (RefusesSaveTarget(check)) {
    ShowNotice(d, DescribeSaveTarget(check, name));
    d.Status = name.empty() ? TranslatedUtf8(N_("保存しませんでした"))
                            : Formatted(TranslatedUtf8(N_("%s には保存しませんでした")), name.c_str());
    return;
  }
  d.PendingSaveAs = name;
  if (check == SaveTargetCheck::Exists) {
    d.AskOverwrite = true;
    return;
  }
  SaveAfterWarnings(d, warnings);
}

void ConfirmOverwrite(DesignDocument& d, const std::vector<DesignWarning>& warnings) {
  d.AskOverwrite = false;
  SaveAfterWarnings(d, warnings);
}

void CancelOverwrite(DesignDocument& d) {
  d.AskOverwrite = false;
  d.PendingSaveAs.clear();
}

void SaveDespiteWarnings(DesignDocument& d) {
  d.AskSaveWithWarnings = false;
  SaveNow(d);
}

void CancelSaveWithWarnings(DesignDocument& d) {
  d.AskSaveWithWarnings = false;
  d.PendingSaveAs.clear();
}

std::string ShownName(const std::string& gameFileName) { return ShownFileName(platform::NativePath(gameFileName)); }

std::string WindowTitle(const DesignDocument& d) {
  std::string title = SourceDescription(d);
  const std::string target = ShownName(d.Editor.TargetName);
  if (d.Editor.SourceName.empty() || ShownName(d.Editor.SourceName) != target)
    title += Formatted(TranslatedUtf8(N_(" (保存先 %s)")), target.c_str());
  if (IsDirty(d.Editor)) title = "* " + title;
  return title + " - velkaro-config";
}

std::string SourceDescription(const DesignDocument& d) {
  if (d.Editor.SourceName.empty()) return TranslatedUtf8(N_("既定の設計"));
  return ShownName(d.Editor.SourceName);
}

}  // namespace config
