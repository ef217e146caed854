#include "config/editing_session.h"

#include <cmath>
#include <cstdio>

#include "aircraft/aircraft_file.h"
#include "config/status_text.h"
#include "flight/constants.h"
#include "platform/text/language.h"
#include "platform/text/text_fields.h"

namespace config {
namespace {

using platform::Formatted;
using platform::TranslatedUtf8;

void RefreshFigures(EditingSession& s, const std::string& text) {
  if (text == s.FiguresFor) return;
  s.FiguresFor = text;
  s.Figures = ComputeFigures(s.Document.Editor.Spec);
  s.Shape = ComputeWingShape(s.Document.Editor.Spec, s.Figures);
  s.Warnings = ValidateDesign(s.Document.Editor.Spec, s.Figures);
  s.Aero = ComputeAeroFigures(s.Document.Editor.Spec, s.Figures, s.Shape);
  // A launch that never ends would take the whole launch allowance to find out.
  s.Trim =
      s.Figures.LaunchReachesEdge ? ComputeTrimFigures(s.Document.Editor.Spec, s.Figures, s.Aero.Mac) : TrimFigures{};
}

void RefreshFlight(EditingSession& s, const std::string& text) {
  if (!s.AutoFly || s.SweepRunning || text == s.FlightFor) return;
  // A run that never leaves the platform takes the whole launch allowance to find out;
  // the warning already says so, and the button still flies it.
  if (!s.Figures.LaunchReachesEdge) {
    s.Flight.reset();
    s.ScheduleFlight.reset();
    s.FlightFor = text;
    return;
  }
  FlyNow(s, text);
}

void AdvanceSweep(EditingSession& s) {
  if (!s.SweepRunning || !s.Sweep) return;
  FlyNextTrim(*s.Sweep);
  if (SweepDone(*s.Sweep)) {
    s.SweepRunning = false;
    const auto best = BestTrim(*s.Sweep);
    s.Document.Status =
        best ? Formatted(TranslatedUtf8(N_("掃引が終わりました: 尾翼取付角 %s° で %s m")),
                         aircraft::FormatExactNumber(best->TrimDeg).c_str(), DistanceText(best->Distance).c_str())
             : TranslatedUtf8(N_("掃引が終わりました: 飛び立てた設定がありません"));
  }
}

// Says in the status line how the values were just changed, until they change again.
void TellChange(EditingSession& s, std::string status) {
  s.Document.Status = status;
  s.ChangeStatus = std::move(status);
  s.ChangeStatusFor = DesignText(s);
}

}  // namespace

void StartSession(EditingSession& s) {
  s.Document = StartDocument();
  s.History.Reset(s.Document.Editor.Spec);
  s.Schedule = ReadEntrySchedule(s.Document.Editor.SourceName);
}

std::string DesignText(const EditingSession& s) { return aircraft::FormatAircraftSpec(s.Document.Editor.Spec); }

std::string UpdateSession(EditingSession& s, bool editing) {
  s.History.Track(s.Document.Editor.Spec, editing);
  const std::string text = DesignText(s);
  if (!s.ChangeStatusFor.empty() && text != s.ChangeStatusFor) {
    if (s.Document.Status == s.ChangeStatus) s.Document.Status.clear();
    s.ChangeStatus.clear();
    s.ChangeStatusFor.clear();
  }
  RefreshFigures(s, text);
  RefreshFlight(s, text);
  AdvanceSweep(s);
  return text;
}

void FlyNow(EditingSession& s, const std::string& text) {
  s.Flight = FlyDesign(s.Document.Editor.Spec);
  if (s.Schedule) {
    s.ScheduleFlight = FlyWithSchedule(s.Document.Editor.Spec, s.Schedule->Log);
  } else {
    s.ScheduleFlight.reset();
  }
  s.FlightFor = text;
}

void RequestSweep(EditingSession& s, const std::string& text) {
  s.Sweep = StartSweep(s.Document.Editor.Spec, s.SweepFrom, s.SweepTo, s.SweepStep);
  s.SweepRunning = s.Sweep.has_value();
  s.SweepFor = text;
  if (!s.Sweep) {
    s.Document.Status =
        Formatted(TranslatedUtf8(N_("掃引の範囲が正しくありません (から <= まで、刻み > 0、%d 回まで)")),
                  sim::kMaxTrimSweepFlights);
  }
}

void CancelSweep(EditingSession& s) {
  s.SweepRunning = false;
  s.Document.Status = TranslatedUtf8(N_("掃引を中止しました"));
}

void ApplyBestTrim(EditingSession& s) {
  if (!s.Sweep) return;
  const auto best = BestTrim(*s.Sweep);
  if (!best) return;
  s.Document.Editor.Spec.TailIncidence = best->TrimDeg;
  TellChange(s, Formatted(TranslatedUtf8(N_("尾翼取付角を %s° にしました (未保存)")),
                          aircraft::FormatExactNumber(best->TrimDeg).c_str()));
}

void UndoChange(EditingSession& s) {
  if (s.History.Undo(s.Document.Editor.Spec)) TellChange(s, TranslatedUtf8(N_("元に戻しました")));
}

void RedoChange(EditingSession& s) {
  if (s.History.Redo(s.Document.Editor.Spec)) TellChange(s, TranslatedUtf8(N_("やり直しました")));
}

// Test flights and sweeps belong to the values they flew; a design opened from a file
// replaces those values.
void Follow(EditingSession& s, DesignChange change) {
  if (change != DesignChange::Replaced) return;
  s.History.Reset(s.Document.Editor.Spec);
  s.Sweep.reset();
  s.SweepRunning = false;
  s.FlightFor.clear();
  s.Flight.reset();
  s.ScheduleFlight.reset();
  s.Schedule = ReadEntrySchedule(s.Document.Editor.SourceName);
}

bool ScheduleFitsDesign(const EditingSession& s, const std::string& text) {
  return s.Schedule && s.Schedule->DesignText == text;
}

void RequestOpen(EditingSession& s, const std::string& gameFileName) {
  Follow(s, RequestOpen(s.Document, gameFileName));
}

bool SessionBusy(const EditingSession& s) { return s.SweepRunning; }

std::string FlightSummary(const FlightProfile& flight) {
  if (!flight.LaunchEnded) return TranslatedUtf8(N_("発進台の端に届きません (初速が低すぎます)。"));
  if (!std::isfinite(flight.Distance))
    return TranslatedUtf8(N_("飛行が数値になりません (質量・面積・剛性を確認してください)。"));
  std::string text =
      Formatted(TranslatedUtf8(N_("距離 %s m  (飛行 %.2f 秒, 発進台 %.2f 秒)")), DistanceText(flight.Distance).c_str(),
                flight.LastStep * flight::kTimeStep, flight.LaunchTicks * flight::kTimeStep);
  if (!flight.Height.empty() && flight.Height.back() >= flight::kTouchdownHeight) {
    text += "\n";
    text += TranslatedUtf8(N_("記録の上限 (100 秒) まで着水せず、ゲームはそこで着水とみなします。"));
  }
  return text;
}

}  // namespace config
