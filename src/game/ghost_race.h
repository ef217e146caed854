#pragma once
// The ghost race (an option, off by default): a recorded flight flown again beside the
// player's, from the same start and tick by tick with it, drawn translucent after the
// player's aircraft, with a line under the coach line that names the ghost and tells
// the lead or the lag. The ghost is the best ranked flight or the coach's best flight
// of the player's design; it is chosen in the options menu and takes the course at the
// next start.
#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "game/hud.h"
#include "platform/gfx/graphics_device.h"
#include "sim/ghost_flight.h"

namespace game {

enum class GhostChoice : int8_t {
  None,         // no ghost: the game as it always was
  RankingBest,  // the flight of ranking entry 0
  CoachBest,    // the coach's best flight of the player's design
  Given,        // a flight the shell handed over with its name (a league's best)
};

// Why the chosen ghost is not on the course.
enum class GhostAbsence : int8_t {
  None,            // it is there (or no ghost is chosen)
  NoRankedFlight,  // entry 0's file is missing, unreadable or holds no recorded flight
  CoachSearching,  // the coach has not finished with the design yet
  CoachNoFlight,   // the coach found no flight (the design cannot launch, say)
};

struct GhostRace {
  GhostChoice Choice = GhostChoice::None;
  std::unique_ptr<sim::GhostFlight> Flight;  // the ghost on the course; none when absent
  // Whose flight the ghost is, Shift-JIS, as the line names it: given with the flight by
  // whoever puts it on the course ("ランキング1位", or a pilot and a place). Short: up
  // to eight full-width characters fit in the line beside the longest difference.
  std::string Name;
  // With GhostChoice::Given: the entry file's text and the name the line gives it.
  std::string GivenEntry, GivenName;
  GhostAbsence Absence = GhostAbsence::None;
  bool KeyWasDown = false;         // the race key at the last tick, so a held key acts once
  bool SkipWasDown = false;        // Space (or the pad's A) at the last tick: only a new press skips
  bool RaceBestRequested = false;  // race the best ranked flight as soon as the state allows
  TextBox Line;                    // created the first time the line is drawn
};

// How far the ghost is drawn through: the share of each colour it keeps (alpha), and
// how much of its own colours give way to a pale violet that nothing in the scene has,
// so it stands out from the player's glider even where the two overlap.
inline constexpr float kGhostAlpha = 0.45f;
inline constexpr float kGhostTintShare = 0.5f;

// The ghost's own model: built by the same assembly as the player's, from its entry's
// aircraft lines, with every material made translucent and tinted.
std::unique_ptr<flight::AircraftModel> BuildGhostModel(const flight::Aircraft& aircraft,
                                                       platform::GraphicsDevice& device);

// Puts the ghost of an entry file's text on the course (at the top of the platform),
// named `sjisName`; no ghost when the text holds no recorded flight, and then the
// absence says so.
void PlaceGhost(GhostRace& race, const std::optional<std::string>& entryText, std::string sjisName,
                platform::GraphicsDevice& device, GhostAbsence whenMissing);

// Takes the ghost off the course (the choice stays).
void DropGhost(GhostRace& race);

// Draws the ghost's model at its pose, blended by its materials' alpha: after the
// player's aircraft, so the player's glider shows through it. Nothing without a ghost.
void DrawGhost(const GhostRace& race, platform::GraphicsDevice& device);

// Whether the ghost is still in the air: launched and not yet down.
bool GhostAirborne(const GhostRace& race);

// Flies an airborne ghost on to its touchdown at once, tick after tick without drawing;
// nothing for a ghost on the platform or down. (A flight ends within its record's rows.)
void LandGhostNow(GhostRace& race);

// The line, Shift-JIS. It names the ghost; in the race (`racing`) it adds the player's
// x minus the ghost's x in metres, one decimal, with its sign. Once either has touched
// down its x is its distance, so once both have the line is the final difference.
// Without the ghost, it says why.
std::string GhostLineText(const GhostRace& race, bool racing, float playerX);

// Draws the line under the coach line, aligned with it, outlined so that it reads over
// the clouds, for a picture `windowWidth` px wide; makes its font the first time.
void DrawGhostLine(GhostRace& race, platform::GraphicsDevice& device, int windowWidth, const std::string& sjisText);

}  // namespace game
