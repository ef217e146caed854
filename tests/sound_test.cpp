// The game's sound: what a flight asks the sound for, and what the mixer makes of it
// (rendered offline, tick by tick, with the shipped sound files); the sound files'
// reader; the options that last; the device opened only while the sound is on.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <numeric>

#include "app/menu_commands.h"
#include "app/saved_options.h"
#include "app/sound_switch.h"
#include "fakes/game_fixture.h"
#include "platform/audio/mixer.h"
#include "platform/io/settings_file.h"
#include "platform/text/shift_jis.h"

namespace {

using platform::Key;
using platform::SoundCue;

constexpr size_t kSamplesPerTick = platform::audio::kSampleRate / 50;  // a 20 ms tick

// The sound as the game reaches it: each call goes to the mixer, and is noted with the
// tick it came in.
class ListeningSound : public platform::Sound {
public:
  // Reads the sound files of the working folder (the test's copy of the game's files).
  platform::audio::Mixer Mixer{platform::audio::LoadSoundBank()};
  struct Cue {
    SoundCue What;
    float Strength;
    int Tick;
  };
  std::vector<Cue> Cues;
  std::vector<platform::FlightSound> Flights;  // one per tick
  int TickNow = 0;

  void SetFlight(const platform::FlightSound& f) override {
    Flights.push_back(f);
    Mixer.SetFlight(f);
  }
  void Play(SoundCue cue, float strength) override {
    Cues.push_back({cue, strength, TickNow});
    Mixer.Play(cue, strength);
  }
  void SetMix(const platform::SoundMix& mix) override { Mixer.SetMix(mix); }
  int Count(SoundCue cue) const {
    return static_cast<int>(std::count_if(Cues.begin(), Cues.end(), [cue](const Cue& c) { return c.What == cue; }));
  }
};

double Rms(const std::vector<int16_t>& s, size_t from, size_t count) {
  double sum = 0;
  for (size_t i = from; i < from + count; ++i) sum += double(s[i]) * s[i];
  return std::sqrt(sum / count);
}

double Correlation(const std::vector<double>& a, const std::vector<double>& b) {
  const double ma = std::accumulate(a.begin(), a.end(), 0.0) / a.size();
  const double mb = std::accumulate(b.begin(), b.end(), 0.0) / b.size();
  double sab = 0, saa = 0, sbb = 0;
  for (size_t i = 0; i < a.size(); ++i) {
    sab += (a[i] - ma) * (b[i] - mb);
    saa += (a[i] - ma) * (a[i] - ma);
    sbb += (b[i] - mb) * (b[i] - mb);
  }
  return sab / std::sqrt(saa * sbb);
}

struct GameSound : fakes::GameFixture {
  std::unique_ptr<ListeningSound> listening;  // made once the game's files are in place
  std::vector<int16_t> mixed;                 // the whole game's sound, tick after tick

  void SetUp() override {
    GameFixture::SetUp();
    listening = std::make_unique<ListeningSound>();
    platform::Os().sound = listening.get();
  }
  ListeningSound& Sound() { return *listening; }
  void TearDown() override {
    GameFixture::TearDown();
    platform::Os().sound = nullptr;
  }
  // Ticks the game and mixes each tick's sound after it.
  void Play(int ticks = 1) {
    for (int i = 0; i < ticks; ++i) {
      Tick();
      mixed.resize(mixed.size() + kSamplesPerTick);
      Sound().Mixer.Render(mixed.data() + mixed.size() - kSamplesPerTick, kSamplesPerTick);
      ++Sound().TickNow;
    }
  }
  double TickRms(int tick) const { return Rms(mixed, size_t(tick) * kSamplesPerTick, kSamplesPerTick); }
  double SpanRms(int from, int to) const {
    return Rms(mixed, size_t(from) * kSamplesPerTick, size_t(to - from) * kSamplesPerTick);
  }
};

TEST_F(GameSound, AWholeFlightSoundsAsItFlies) {
  Play(50);  // a second at the start: the lake only
  const double ambience = SpanRms(10, 50);
  EXPECT_GT(ambience, 0) << "the ambience plays under everything";
  for (const platform::FlightSound& f : Sound().Flights) {
    EXPECT_EQ(f.AirspeedMs + f.RunSpeedMs, 0) << "nothing moves before the launch";
  }

  os.Input.Press(Key::Space);
  Play();
  os.Input.Release(Key::Space);
  const int launchTick = Sound().TickNow;
  while (g.State == game::Launch) Play();
  const int airborneTick = Sound().TickNow;
  ASSERT_EQ(g.State, game::Flight);
  EXPECT_GT(SpanRms(launchTick + 10, airborneTick), 2 * ambience) << "the run along the platform";

  // Pitch up and down a few times, so the airspeed rises and falls.
  while (g.State == game::Flight) {
    const int t = Sound().TickNow - airborneTick;
    os.Input.Down[size_t(Key::Up)] = t % 400 < 60;
    os.Input.Down[size_t(Key::Down)] = t % 400 >= 200 && t % 400 < 260;
    Play();
  }
  os.Input.Down = {};
  ASSERT_EQ(g.State, game::Landed);
  const int touchdownTick = Sound().TickNow - 1;

  // The wind follows the airspeed: its level and the flight record's airspeed, each
  // averaged over 0.2 s, rise and fall together.
  constexpr int kWindow = 10;
  std::vector<double> level, airspeed;
  for (int t = airborneTick + kWindow; t + kWindow <= touchdownTick; t += kWindow) {
    level.push_back(SpanRms(t, t + kWindow));
    double sum = 0;
    for (int k = t; k < t + kWindow; ++k) sum += g.Aircraft->Records[k - airborneTick].Airspeed;
    airspeed.push_back(sum / kWindow);
  }
  ASSERT_GT(level.size(), 50u);
  EXPECT_GT(*std::min_element(level.begin(), level.end()), 2 * ambience) << "the wind is heard over the lake";
  EXPECT_GT(Correlation(level, airspeed), 0.8);
  EXPECT_GT(*std::max_element(airspeed.begin(), airspeed.end()) - *std::min_element(airspeed.begin(), airspeed.end()),
            2.0)
      << "the script made the airspeed vary";

  // One splash, at the touchdown, louder than the flight just before it.
  ASSERT_EQ(Sound().Count(SoundCue::Splash), 1);
  EXPECT_EQ(Sound().Cues.front().Tick, touchdownTick);
  EXPECT_GT(Sound().Cues.front().Strength, 0) << "the sink rate";
  Play(10);
  EXPECT_GT(SpanRms(touchdownTick + 1, touchdownTick + 10), 1.5 * SpanRms(touchdownTick - 10, touchdownTick));

  // The result is shown, then the flight ranks: a chime rings over the quiet lake.
  os.Dialogs.Names.push_back(platform::Utf8ToShiftJis("太郎"));
  while (g.State != game::Replay) Play();
  ASSERT_LT(g.Ranking->NewEntryIndex, 10);
  const int chimes = Sound().Count(SoundCue::Ranked) + Sound().Count(SoundCue::NewBest);
  EXPECT_EQ(chimes, 1);
  const int chimeTick = Sound().Cues.back().Tick;
  Play(10);
  EXPECT_GT(SpanRms(chimeTick, chimeTick + 10), 2 * SpanRms(chimeTick - 20, chimeTick - 10));
  EXPECT_EQ(Sound().Count(SoundCue::Splash), 1) << "no splash but the touchdown's so far";
}

TEST_F(GameSound, DemoAndReplayEachSplashOnceAtTheirTouchdown) {
  Tick();
  os.Random.Values = {3};
  TickUntil(game::Demo);
  TickUntil(game::Restart, 10000);
  EXPECT_EQ(Sound().Count(SoundCue::Splash), 1) << "the demo's touchdown";

  WriteQuickDesign();
  game::ReloadPlayerDesign(g);
  os.Input.Press(Key::Space);
  Tick();
  os.Input.Release(Key::Space);
  TickUntil(game::Landed);
  EXPECT_EQ(Sound().Count(SoundCue::Splash), 2) << "the player's touchdown";
  TickUntil(game::Replay);
  TickUntil(game::Restart);
  EXPECT_EQ(Sound().Count(SoundCue::Splash), 3) << "the replay's touchdown";
}

TEST_F(GameSound, GhostIsSilentAndSpaceInTheReplayMakesNoSplash) {
  app::HandleMenuCommand(g, app::kGhostRankingBest);
  WriteQuickDesign();
  Tick();
  ASSERT_TRUE(g.Ghost.Flight);
  os.Input.Press(Key::Space);
  Tick();
  os.Input.Release(Key::Space);
  TickUntil(game::Landed);
  // The ghost flies on long after the player's quick design came down; the sound heard
  // only the player's aircraft: nothing airborne after its touchdown.
  const size_t heardBefore = Sound().Flights.size();
  Tick(20);
  for (size_t i = heardBefore; i < Sound().Flights.size(); ++i) EXPECT_EQ(Sound().Flights[i].AirspeedMs, 0);
  os.Input.Press(Key::Space);  // brings the ghost down, then leaves the replay
  TickUntil(game::Replay);
  Tick(5);
  TickUntil(game::WaitRelease);
  os.Input.Release(Key::Space);
  Tick(3);
  EXPECT_EQ(Sound().Count(SoundCue::Splash), 1) << "the player's touchdown only";
}

TEST(SoundClip, ReadsTheShippedSoundsAndRefusesAnythingElse) {
  for (const auto& file : std::filesystem::directory_iterator(std::filesystem::path(VELKARO_DATA_DIR) / "sound")) {
    const auto clip = platform::audio::ParseWav(fakes::ReadText(file.path()));
    ASSERT_TRUE(clip) << file.path();
    EXPECT_GT(clip->size(), 100u) << file.path();
  }
  const platform::audio::SoundClip ramp{0.0f, 0.5f, -0.5f, 1.0f};
  const std::string good = platform::audio::WavBytes(ramp);
  const auto back = platform::audio::ParseWav(good);
  ASSERT_TRUE(back);
  ASSERT_EQ(back->size(), ramp.size());
  EXPECT_NEAR((*back)[1], 0.5f, 1e-4);

  EXPECT_FALSE(platform::audio::ParseWav(good.substr(0, good.size() - 1))) << "data cut short";
  EXPECT_FALSE(platform::audio::ParseWav("")) << "empty";
  std::string huge = good;
  huge[40] = huge[41] = huge[42] = huge[43] = '\xff';  // the data chunk claims 4 GiB
  EXPECT_FALSE(platform::audio::ParseWav(huge));
  std::string stereo = good;
  stereo[22] = 2;  // two channels
  EXPECT_FALSE(platform::audio::ParseWav(stereo));
  std::string fmtLast = good;
  fmtLast.replace(12, 4, "junk");  // no format before the data
  EXPECT_FALSE(platform::audio::ParseWav(fmtLast));
}

TEST(SoundMixer, VolumeScalesAndAMissingFileLeavesOnlyItsSoundSilent) {
  platform::audio::SoundBank bank;
  bank.Wind = platform::audio::SoundClip(2000, 0.0f);
  for (size_t i = 0; i < bank.Wind.size(); ++i) bank.Wind[i] = (i % 7 < 3) ? 0.6f : -0.45f;
  platform::audio::Mixer mixer(bank);  // no ambience, no splash
  std::vector<int16_t> out(4000);
  mixer.Play(SoundCue::Splash, 3);
  mixer.Render(out.data(), out.size());
  EXPECT_EQ(Rms(out, 0, out.size()), 0) << "silence at rest, and no splash without its file";

  platform::FlightSound flying;
  flying.AirspeedMs = 10;
  mixer.SetFlight(flying);
  mixer.Render(out.data(), out.size());
  const double full = Rms(out, 2000, 2000);
  EXPECT_GT(full, 0);
  mixer.SetMix({0.25f, false});
  mixer.Render(out.data(), out.size());
  EXPECT_NEAR(Rms(out, 2000, 2000) / full, 0.25, 0.03);
}

class TestSettings : public ::testing::Test {
protected:
  fakes::TempWorkingDir dir;
};

TEST_F(TestSettings, OptionsLastAcrossStartsBesideOtherSettingsAndDamageFallsBackQuietly) {
  fakes::WriteText(
      platform::kSettingsFileName,
      "league.address=http://example.org\nSound().volume=9\nsound=maybe\ncoach-line=on\nghost=coach-best\n");
  {
    game::Game g;
    app::LoadSavedOptions(g);
    EXPECT_TRUE(g.ShowCoach);
    EXPECT_EQ(g.Ghost.Choice, game::GhostChoice::CoachBest);
    EXPECT_TRUE(g.SoundChoice.On) << "a damaged value keeps the default";
    EXPECT_EQ(g.SoundChoice.VolumeStep, game::SoundOptions{}.VolumeStep);
    const std::string before = fakes::ReadText(platform::kSettingsFileName);
    app::KeepChangedOptions(g);
    EXPECT_EQ(fakes::ReadText(platform::kSettingsFileName), before) << "nothing changed, nothing written";

    g.SoundChoice.On = false;
    g.SoundChoice.VolumeStep = 2;
    g.SoundChoice.Variometer = true;
    g.Ghost.Choice = game::GhostChoice::None;
    app::KeepChangedOptions(g);
  }
  game::Game again;
  app::LoadSavedOptions(again);
  EXPECT_FALSE(again.SoundChoice.On);
  EXPECT_EQ(again.SoundChoice.VolumeStep, 2);
  EXPECT_TRUE(again.SoundChoice.Variometer);
  EXPECT_EQ(again.Ghost.Choice, game::GhostChoice::None);
  EXPECT_EQ(platform::ReadSettings().at("league.address"), "http://example.org");
  EXPECT_FALSE(again.DesignMode) << "the design mode is never kept";
}

TEST(SoundSwitchTest, OpensTheDeviceOnlyWhileTheSoundIsOn) {
  int opened = 0;
  bool deviceWorks = false;
  app::SoundSwitch sw([&]() -> std::unique_ptr<platform::Sound> {
    ++opened;
    if (!deviceWorks) return nullptr;
    return std::make_unique<ListeningSound>();
  });
  game::SoundOptions options;
  options.On = false;
  sw.Follow(options);
  EXPECT_EQ(opened, 0) << "off: no device at all";

  options.On = true;
  sw.Follow(options);
  sw.Follow(options);
  EXPECT_EQ(opened, 1) << "a device that failed is not tried every tick";
  EXPECT_EQ(platform::Os().sound, nullptr) << "the game runs silent";

  deviceWorks = true;
  options.On = false;
  sw.Follow(options);
  options.On = true;
  sw.Follow(options);
  EXPECT_EQ(opened, 2) << "turned off and on, it is tried again";
  EXPECT_NE(platform::Os().sound, nullptr);
  options.On = false;
  sw.Follow(options);
  EXPECT_EQ(platform::Os().sound, nullptr) << "off closes it";
}

}  // namespace
