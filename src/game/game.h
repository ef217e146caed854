#pragma once
// [SECTION] The game: its state, its timers, and the long-lived objects that the
// states update and the frames draw. One instance for the whole run.
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "flight/aircraft.h"
#include "game/camera.h"
#include "game/coach_line.h"
#include "game/flight_sound.h"
#include "game/frame_pacing.h"
#include "game/ghost_race.h"
#include "game/hud.h"
#include "game/league_link.h"
#include "game/scene.h"
#include "game/status_line.h"
#include "platform/gfx/graphics_device.h"
#include "ranking/ranking_table.h"
#include "sim/flight_runner.h"
#include "sim/player_trim.h"

namespace game {

enum GameState : uint8_t {
  Init = 0,
  Ready = 1,
  Demo = 2,
  Launch = 3,
  Flight = 4,
  Landed = 5,
  Replay = 6,
  WaitRelease = 7,
  Restart = 9,
};

enum DemoPhase : int8_t { DemoLaunch = 0, DemoFlight = 1, FlyByStart = 2, FlyBy = 3 };

struct Game {
  // Set by the shell before the first tick.
  platform::GraphicsDevice* Device = nullptr;
  int WindowWidth = 0;   // px, from the boot file: the base of the HUD positions
  int WindowHeight = 0;  // px
  int ClientWidth = 0;   // px, the picture's area, for the lens
  int ClientHeight = 0;  // px
  // The design mode: no demo, no ranking; Space after a flight returns to the start.
  // The shell keeps it equal to the menu's check mark.
  bool DesignMode = false;
  // The coach line after a touchdown (off by default); the shell keeps it equal to its
  // menu item's check mark. While on, the player's design is searched whenever it is
  // loaded.
  bool ShowCoach = false;

  GameState State = Init;
  DemoPhase Phase = FlyByStart;  // the demo's sub-state; kept outside the demo
  int32_t FlyByTick = 0;
  uint32_t IdleSince = 0;  // ms, when Ready was last entered from Init or Restart
  // ms: since when the result has been shown for its time, the touchdown or the last
  // tick a feature held it (features.h)
  uint32_t ResultShownSince = 0;
  int8_t DemoEntry = 0;  // ranking entry the demo flies
  // The demo flies an entry the player chose from the menu (no fly-by before it).
  bool WatchingEntry = false;
  // The tail settings of a watched flight that is no ranking entry (a league's best),
  // flown in the demo instead of entry DemoEntry's; none otherwise.
  std::unique_ptr<ranking::ControlLog> WatchedLog;

  std::unique_ptr<flight::Aircraft> Aircraft;
  // The working aircraft file's text as last loaded (nothing when it could not be
  // read): the design a ranked flight stores, whatever the file holds by then.
  std::optional<std::string> PlayerDesignText;
  std::unique_ptr<ranking::RankingTable> Ranking;
  std::unique_ptr<platform::Font> ListFont;  // the ranking list's fixed-pitch font
  Scene World;
  Camera View;
  TextBox FpsText;
  TextBox WindText;
  std::unique_ptr<ScreenQuad> TailGraph;
  std::unique_ptr<ScreenQuad> TailPoint;
  ResultNumber Result;
  CoachLine Coach;
  TextBox CoachText;  // created the first time the coach line is drawn
  platform::Light SceneLight;

  FramePacer Pacer;
  sim::FlightRun Run;        // the run time on the platform and the launch run's state
  sim::TrimInputState Trim;  // the player's mouse between ticks

  // Rows 0 .. LastStep of the player's last finished flight (empty before any), for
  // the CSV export once the replay has rewound the records or another aircraft is
  // loaded.
  std::vector<flight::FlightRecord> FinishedFlight;
  StatusLine Status;  // the file an export wrote, for a few seconds
  GhostRace Ghost;    // the ghost race option (none by default)
  // The league option: set by the shell when the player has named a league, none
  // otherwise. The note is the league's word on the latest flight.
  std::unique_ptr<LeagueLink> League;
  std::string LeagueNote;
  TextBox LeagueNoteText;  // created the first time the note is drawn
  // The sound: the player's options (the shell opens the device while it is on), and
  // what the sound feature saw before the tick.
  SoundOptions SoundChoice;
  SoundWatch Sounds;
  // The lasting options as the shell last read or wrote them in the settings file
  // (none until it has read them).
  std::optional<std::string> KeptOptions;
};

// One idle tick, always in this order: read the input once, the optional features'
// work before the tick, the current state's work, the frame it shows (if any), the wait
// for the tick's time slot (only after a frame), then what the state's work left to
// follow its frame (the registration, whose name dialog appears over the result).
void IdleTick(Game& game);

// Replaces the current aircraft by one read from an aircraft file (with its model and
// coordinate log) and resets the run time.
void LoadGameAircraft(Game& game, const char* gameFileName);

// Starts the demo's flight of ranking entry `entry` (0..9) with the distance in small
// digits; the demo goes on from its current phase. The aircraft comes from the entry's
// lines as the table holds them, with the control log beside them (from its file when
// the table could not read it).
void StartDemoFlight(Game& game, int8_t entry);

// The demo's flight of an aircraft file's text with its tail settings (a flight that is
// no ranking entry), from its launch run, with the distance in small digits.
void StartWatchedFlight(Game& game, const std::string& aircraftText, const ranking::ControlLog& log);

// The work of Restart: the working aircraft again at the top of the platform, in Ready.
void RestartGame(Game& game);

// Starts the coach on the player's design file.
void FollowPlayerDesign(Game& game);

// The options: the design mode (no demo, no ranking), and the coach line after a
// touchdown (turned on, it searches the player's design at once).
void SetDesignMode(Game& game, bool on);
void SetCoachLine(Game& game, bool on);

// After the configurator ran: fly what the working aircraft file holds now, from the
// start of the platform, with a fresh control log (a flight it interrupted must not
// leave its tail settings in front of the next one).
void ReloadPlayerDesign(Game& game);

// Releases the long-lived objects in the shutdown order, saving the ranking.
void Shutdown(Game& game);

}  // namespace game
