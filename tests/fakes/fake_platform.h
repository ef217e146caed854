#pragma once
// Test doubles of the platform services: a scripted clock, keys and cursor, recorded
// warnings with scripted name answers, a scripted random sequence, and an aircraft
// model that records frame rotations.
#include <array>
#include <deque>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "flight/aircraft.h"
#include "platform/services.h"

namespace fakes {

// A clock that only moves when told to, or by 1 ms on every sleep.
class FakeClock : public platform::Clock {
public:
  uint32_t Now = 0;  // ms
  int Sleeps = 0;
  uint32_t AdvancePerRead = 0;  // ms added after every reading

  uint32_t NowMs() override {
    const uint32_t value = Now;
    Now += AdvancePerRead;
    return value;
  }
  void Sleep1Ms() override {
    ++Sleeps;
    Now += 1;
  }
};

class FakeInput : public platform::Input {
public:
  std::array<bool, static_cast<size_t>(platform::Key::Count)> Down{};
  platform::CursorPos CursorAt;

  void Press(platform::Key key) { Down[static_cast<size_t>(key)] = true; }
  void Release(platform::Key key) { Down[static_cast<size_t>(key)] = false; }
  bool IsDown(platform::Key key) override { return Down[static_cast<size_t>(key)]; }
  platform::CursorPos Cursor() override { return CursorAt; }

  // A game controller.
  std::array<bool, static_cast<size_t>(platform::PadButton::Count)> PadDown{};
  double StickY = 0;  // -1 forward .. 1 back
  void Press(platform::PadButton button) { PadDown[static_cast<size_t>(button)] = true; }
  void Release(platform::PadButton button) { PadDown[static_cast<size_t>(button)] = false; }
  bool IsPadDown(platform::PadButton button) override { return PadDown[static_cast<size_t>(button)]; }
  double PadStickY() override { return StickY; }
};

class FakeDialogs : public platform::Dialogs {
public:
  std::vector<std::string> Warnings;             // Shift-JIS texts in order
  std::deque<std::optional<std::string>> Names;  // answers of the name dialog
  int NameDialogs = 0;

  std::function<void()> OnWarning;  // runs as each warning is shown, e.g. to look at locks

  void ShowWarning(const std::string& text) override {
    Warnings.push_back(text);
    if (OnWarning) OnWarning();
  }
  std::optional<std::string> AskPilotName() override {
    ++NameDialogs;
    if (Names.empty()) return std::string();
    auto name = Names.front();
    Names.pop_front();
    return name;
  }
};

class FakeRandom : public platform::Random {
public:
  std::deque<int> Values;  // drawn in order; 0 once used up
  uint32_t Seeded = 0;
  void Seed(uint32_t seed) override { Seeded = seed; }
  int Next() override {
    if (Values.empty()) return 0;
    const int v = Values.front();
    Values.pop_front();
    return v;
  }
};

struct Rotation {
  float X = 0, Y = 0, Z = 0;
  bool operator==(const Rotation&) const = default;
};

// Records the last rotation of every frame and how many writes each received.
class RecordingModel : public flight::AircraftModel {
public:
  std::map<int, Rotation> Rotations;
  std::map<int, int> Writes;
  void SetRotation(int frame, float x, float y, float z) override {
    Rotations[frame] = {x, y, z};
    ++Writes[frame];
  }
};

class FakeMenu : public platform::Menu {
public:
  struct Item {
    std::string Text;  // Shift-JIS
    bool Enabled = true;
  };
  std::map<int, bool> Checks;
  std::map<int, Item> Items;  // the texts and states items were given
  bool IsChecked(int id) override { return Checks[id]; }
  void SetChecked(int id, bool checked) override { Checks[id] = checked; }
  void SetItem(int id, const std::string& text, bool enabled) override { Items[id] = {text, enabled}; }
};

// Runs a scripted action in place of an outside program.
class FakeProcesses : public platform::Processes {
public:
  std::vector<std::string> Started;
  std::function<bool()> Program = [] { return true; };  // false: it could not be started
  bool RunAndWait(const std::string& command) override {
    Started.push_back(command);
    return Program();
  }
};

// Installs the fakes as the platform services for one test.
struct FakePlatform {
  FakeClock Clock;
  FakeInput Input;
  FakeDialogs Dialogs;
  FakeRandom Random;
  FakeMenu Menu;
  FakeProcesses Processes;
  platform::ScopedServices Installed{{&Clock, &Input, &Dialogs, &Random, &Menu, &Processes}};
};

}  // namespace fakes
