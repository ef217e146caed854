// Makes the ranking that ships in data/rank: real flights of a few designs, flown
// the way a player flies them (trim on the platform and during the flight), registered
// one after the other into an empty ranking. The designs start from the configurator's
// built-in glider (the one data/temp.txt holds). Run it in an empty folder:
//
//   velkaro-make-ranking   (writes temp.txt and rank/ there; copy rank/ into data/)
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <vector>

#include "aircraft/aircraft_file.h"
#include "config/design/design_editor.h"
#include "platform/io/files.h"
#include "platform/services.h"
#include "platform/text/shift_jis.h"
#include "ranking/ranking_files.h"
#include "ranking/registration.h"
#include "sim/player_flight.h"

namespace {

using platform::Key;

// One tail input: hold a key over a range of ticks.
struct Hold {
  int FromTick;
  int ToTick;  // exclusive
  Key HeldKey;
};

struct Pilot {
  const char* NameUtf8;
  std::function<void(flight::AircraftSpec&)> Design;
  std::vector<Hold> Inputs;
};

class ScriptedInput : public platform::Input {
public:
  const std::vector<Hold>* Inputs = nullptr;
  int Tick = 0;
  bool IsDown(Key key) override {
    for (const Hold& h : *Inputs) {
      if (h.HeldKey == key && Tick >= h.FromTick && Tick < h.ToTick) return true;
    }
    return false;
  }
  platform::CursorPos Cursor() override { return {}; }
};

class FixedNames : public platform::Dialogs {
public:
  std::string Next;  // Shift-JIS
  void ShowWarning(const std::string& text) override {
    std::fprintf(stderr, "%s\n", platform::ShiftJisToUtf8(text).c_str());
  }
  std::optional<std::string> AskPilotName() override { return Next; }
};

class SeededRandom : public platform::Random {
public:
  uint32_t State = 12345;
  void Seed(uint32_t seed) override { State = seed; }
  int Next() override {
    State = State * 1103515245u + 12345u;
    return static_cast<int>((State >> 16) & 0x7FFF);
  }
};

// The shipped default glider, read back from its file text as the game reads
// data/temp.txt (so every value is the one the file holds).
flight::AircraftSpec DefaultGlider() {
  return aircraft::ParseAircraftSpecText(aircraft::FormatAircraftSpec(config::DefaultDesign()));
}

std::vector<Pilot> Pilots() {
  const Key up = Key::Up, down = Key::Down;
  return {
      {"かもめ号", [](flight::AircraftSpec&) {}, {{0, 24, down}, {400, 410, up}, {1500, 1520, down}}},
      {"Swift",
       [](flight::AircraftSpec& s) {
         s.WindSpeed = 1.0;
         s.TailIncidence = 0;
       },
       {{10, 20, down}, {300, 330, down}, {1200, 1215, up}}},
      {"青い翼",
       [](flight::AircraftSpec& s) {
         s.Mass = 92;
         s.WingIncidence = 4.5;
       },
       {{0, 30, down}, {800, 815, up}, {2000, 2030, down}}},
      {"Heron",
       [](flight::AircraftSpec& s) {
         s.SectionSpan = {5.7, 5, 2, 1};
         s.WingSpan = 28;
       },
       {{0, 20, down}, {500, 520, down}, {900, 905, up}}},
      {"ひばり",
       [](flight::AircraftSpec& s) { s.TailIncidence = -1; },
       {{0, 10, down}, {200, 240, down}, {1000, 1010, up}}},
      {"Kite",
       [](flight::AircraftSpec& s) {
         s.StartSpeed = 7.5;
         s.CgPosition = 0.28;
       },
       {{0, 35, down}, {600, 640, up}, {1300, 1340, down}}},
      {"夏空",
       [](flight::AircraftSpec& s) {
         s.WingMass = 20;
         s.SectionStiffness2 = {70, 45, 25, 8};
       },
       {{0, 25, down}, {700, 720, up}, {1700, 1730, down}}},
      {"Osprey",
       [](flight::AircraftSpec& s) {
         s.Mass = 110;
         s.StartSpeed = 8.5;
       },
       {{0, 20, down}, {250, 300, down}, {1100, 1140, up}}},
      {"つばめ",
       [](flight::AircraftSpec& s) {
         s.SectionDihedral = {3, 2, 2, 4};
       },
       {{0, 22, down}, {350, 380, up}, {1400, 1460, down}}},
      {"Pelican",
       [](flight::AircraftSpec& s) {
         s.WingSpan = 24;
         s.SectionSpan = {5.7, 4, 2, 0.5};
         s.CenterHalfWidth = 0.3;
       },
       {{0, 15, down}, {150, 200, up}}},
      {"風見鶏", [](flight::AircraftSpec& s) { s.WindSpeed = 2; }, {{0, 40, down}, {900, 960, up}}},
      {"Glider Club", [](flight::AircraftSpec& s) { s.TailIncidence = 1.5; }, {{0, 5, up}, {100, 140, down}}},
  };
}

}  // namespace

int main() {
  FixedNames dialogs;
  ScriptedInput input;
  SeededRandom random;
  platform::Os().dialogs = &dialogs;

  std::filesystem::create_directories("rank");
  auto table = std::make_unique<ranking::RankingTable>();
  const flight::AircraftSpec base = DefaultGlider();
  for (const Pilot& pilot : Pilots()) {
    flight::AircraftSpec spec = base;
    pilot.Design(spec);
    platform::WriteFile(ranking::kWorkingAircraftFile, aircraft::FormatAircraftSpec(spec));
    input.Inputs = &pilot.Inputs;
    sim::PlayerFlight flown;
    sim::PlayerControls controls{&input, &random, [&](int tick) { input.Tick = tick; }};
    if (!sim::FlyAsPlayer(*table, controls, flown)) return 1;
    dialogs.Next = platform::Utf8ToShiftJis(pilot.NameUtf8);
    ranking::RegisterDistance(*table, flown.Distance, flown.Aircraft->Step);
    std::printf("%-12s %8.2f m  rank %d\n", pilot.NameUtf8, flown.Distance, table->NewEntryIndex);
  }
  return 0;
}
