#include "game/ghost_race.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <utility>

#include "aircraft/aircraft_model.h"
#include "game/hud_layout.h"
#include "platform/text/language.h"

namespace game {
namespace {

using platform::RenderState;
using platform::StageState;

// Shift-JIS texts of the line.
constexpr const char* kGhostWord = N_("\x83\x53\x81\x5b\x83\x58\x83\x67");  // "ゴースト"
constexpr const char* kNameSeparator = ": ";
// ": 1位の記録がありません"
constexpr const char* kNoRankedFlight =
    N_(": 1\x88\xca\x82\xcc\x8b\x4c\x98\x5e\x82\xaa\x82\xa0\x82\xe8\x82\xdc\x82\xb9\x82\xf1");
// ": コーチが探索中…"
constexpr const char* kCoachSearching = N_(": \x83\x52\x81\x5b\x83\x60\x82\xaa\x92\x54\x8d\xf5\x92\x86\x81\x63");
// ": コーチの記録がありません"
constexpr const char* kCoachNoFlight =
    N_(": \x83\x52\x81\x5b\x83\x60\x82\xcc\x8b\x4c\x98\x5e\x82\xaa\x82\xa0\x82\xe8\x82\xdc\x82\xb9\x82\xf1");

constexpr platform::ColorValue kGhostTint{0.80f, 0.62f, 1.0f, 1.0f};  // pale violet

// Differences this close to 0 show as +0.0 rather than -0.0.
constexpr double kShownResolutionM = 0.05;

platform::ColorValue Ghostly(const platform::ColorValue& c) {
  auto mix = [](float own, float tint) { return own + (tint - own) * kGhostTintShare; };
  return {mix(c.R, kGhostTint.R), mix(c.G, kGhostTint.G), mix(c.B, kGhostTint.B), c.A * kGhostAlpha};
}

void MakeGhostly(aircraft::AircraftFrames& model) {
  for (aircraft::Frame& frame : model.Frames) {
    for (platform::Material& material : frame.Materials) {
      material.Diffuse = Ghostly(material.Diffuse);
      material.Ambient = Ghostly(material.Ambient);
    }
  }
}

}  // namespace

std::unique_ptr<flight::AircraftModel> BuildGhostModel(const flight::Aircraft& aircraft,
                                                       platform::GraphicsDevice& device) {
  std::unique_ptr<aircraft::AircraftFrames> model = aircraft::BuildAircraftModel(aircraft, device);
  if (model) MakeGhostly(*model);
  return model;
}

void PlaceGhost(GhostRace& race, const std::optional<std::string>& entryText, std::string sjisName,
                platform::GraphicsDevice& device, GhostAbsence whenMissing) {
  DropGhost(race);
  if (entryText) {
    race.Flight = sim::GhostFlight::FromEntryText(
        *entryText, [&device](const flight::Aircraft& a) { return BuildGhostModel(a, device); });
  }
  if (race.Flight) {
    race.Name = std::move(sjisName);
  } else {
    race.Absence = whenMissing;
  }
}

void DropGhost(GhostRace& race) {
  race.Flight.reset();
  race.Name.clear();
  race.Absence = GhostAbsence::None;
}

bool GhostAirborne(const GhostRace& race) { return race.Flight && race.Flight->Phase() == sim::FlightPhase::Airborne; }

void LandGhostNow(GhostRace& race) {
  while (GhostAirborne(race)) race.Flight->Tick();
}

void DrawGhost(const GhostRace& race, platform::GraphicsDevice& device) {
  if (!race.Flight) return;
  device.SetRenderState(RenderState::AlphaBlendEnable, 1);
  device.SetRenderState(RenderState::SrcBlend, platform::Blend::SrcAlpha);
  device.SetRenderState(RenderState::DestBlend, platform::Blend::InvSrcAlpha);
  // A textured part fades like an untextured one: its texture's alpha times the lit
  // diffuse alpha, which the materials' alpha sets.
  device.SetStageState(0, StageState::AlphaArg1, platform::TextureArg::Texture);
  device.SetStageState(0, StageState::AlphaArg2, platform::TextureArg::Diffuse);
  device.SetStageState(0, StageState::AlphaOp, platform::TextureOp::Modulate);
  aircraft::DrawAircraftModel(race.Flight->Aircraft(), device);
  // Back to the texture's own alpha, which the rest of the game draws with.
  device.SetStageState(0, StageState::AlphaOp, platform::TextureOp::SelectArg1);
}

std::string GhostLineText(const GhostRace& race, bool racing, float playerX) {
  const std::string ghost = platform::Translated(kGhostWord);
  switch (race.Absence) {
    case GhostAbsence::NoRankedFlight: return ghost + platform::Translated(kNoRankedFlight);
    case GhostAbsence::CoachSearching: return ghost + platform::Translated(kCoachSearching);
    case GhostAbsence::CoachNoFlight: return ghost + platform::Translated(kCoachNoFlight);
    case GhostAbsence::None: break;
  }
  if (!race.Flight) return ghost;
  const std::string named = race.Name.empty() ? ghost : ghost + kNameSeparator + race.Name;
  if (!racing) return named;
  double lead = static_cast<double>(playerX) - race.Flight->Aircraft().DisplayX;  // m
  if (std::fabs(lead) < kShownResolutionM) lead = 0;
  char text[32];
  std::snprintf(text, sizeof text, " %+.1fm", lead);
  return named + text;
}

void DrawGhostLine(GhostRace& race, platform::GraphicsDevice& device, int windowWidth, const std::string& sjisText) {
  if (!race.Line.Font) {
    constexpr hud::TextPlace place = hud::kGhostLine;
    const int width = std::clamp(windowWidth - place.Left, 0, static_cast<int>(place.MaxWidth));
    race.Line.Create(device, place.FontHeight, place.Left, place.Top, static_cast<int16_t>(width), place.FontHeight);
  }
  race.Line.DrawOutlined(sjisText);
}

}  // namespace game
