// The language: chosen from the environment by gettext's rules (or handed on by the
// game), and English drawn from the built catalog wherever the game shows a text,
// while every file keeps its Japanese bytes.
#include <gtest/gtest.h>

#include <cstdlib>
#include <map>
#include <optional>

#include "app/menu_commands.h"
#include "app/saved_options.h"
#include "fakes/game_fixture.h"
#include "platform/io/settings_file.h"
#include "platform/text/language.h"
#include "platform/text/shift_jis.h"

namespace {

using platform::Language;

// Sets environment variables for one test and puts them back afterwards.
class ScopedEnvironment {
public:
  void Set(const char* name, const char* value) {
    if (!saved_.count(name)) {
      const char* old = std::getenv(name);
      saved_[name] = old ? std::optional<std::string>(old) : std::nullopt;
    }
    if (value) {
      setenv(name, value, 1);
    } else {
      unsetenv(name);
    }
  }
  ~ScopedEnvironment() {
    for (const auto& [name, value] : saved_) {
      if (value) {
        setenv(name.c_str(), value->c_str(), 1);
      } else {
        unsetenv(name.c_str());
      }
    }
  }

private:
  std::map<std::string, std::optional<std::string>> saved_;
};

TEST(LanguageFromEnvironment, FollowsGettextsOrderWithCAndJapaneseStayingJapanese) {
  struct Case {
    const char *Handed, *Language, *All, *Messages, *Lang;
    platform::Language Expected;
  };
  const Case cases[] = {
      {nullptr, nullptr, nullptr, nullptr, nullptr, Language::Japanese},
      {nullptr, nullptr, nullptr, nullptr, "C", Language::Japanese},
      {nullptr, "en", nullptr, nullptr, "POSIX", Language::Japanese},  // LANGUAGE ignored under C
      {nullptr, nullptr, nullptr, nullptr, "C.UTF-8", Language::Japanese},
      {nullptr, nullptr, nullptr, nullptr, "ja_JP.UTF-8", Language::Japanese},
      {nullptr, nullptr, nullptr, nullptr, "de_DE.UTF-8", Language::English},
      {nullptr, "ja:en", nullptr, nullptr, "en_GB.UTF-8", Language::Japanese},
      {nullptr, "fr", nullptr, nullptr, "ja_JP.UTF-8", Language::English},
      {nullptr, nullptr, "en_US.UTF-8", "ja_JP.UTF-8", "ja_JP.UTF-8", Language::English},  // LC_ALL first
      {nullptr, nullptr, nullptr, "ja_JP.UTF-8", "en_US.UTF-8", Language::Japanese},       // then LC_MESSAGES
      {"en", nullptr, nullptr, nullptr, "C", Language::English},                           // handed on by the game
      {"ja", nullptr, nullptr, nullptr, "en_US.UTF-8", Language::Japanese},
  };
  for (const Case& c : cases) {
    ScopedEnvironment env;
    env.Set("VELKARO_LANGUAGE", c.Handed);
    env.Set("LANGUAGE", c.Language);
    env.Set("LC_ALL", c.All);
    env.Set("LC_MESSAGES", c.Messages);
    env.Set("LANG", c.Lang);
    EXPECT_EQ(platform::LanguageFromEnvironment(), c.Expected)
        << (c.Language ? c.Language : "-") << " " << (c.All ? c.All : "-") << " " << (c.Lang ? c.Lang : "-");
  }
}

// gettext answers an empty text with the catalog's header; an empty label, unit or
// separator stays empty.
TEST(LanguageEnglish, AnEmptyTextStaysEmpty) {
  platform::UseLanguage(platform::LanguageChoice::English);
  EXPECT_STREQ(platform::TranslatedUtf8(""), "");
  EXPECT_EQ(platform::Translated(""), "");
  platform::UseLanguage(platform::LanguageChoice::Japanese);
}

struct EnglishGame : fakes::GameFixture {
  void TearDown() override {
    platform::UseLanguage(platform::LanguageChoice::Japanese);
    GameFixture::TearDown();
  }
};

TEST_F(EnglishGame, ScreensSpeakEnglishFilesStayJapaneseAndTheChoiceLastsAndIsHandedOn) {
  const std::string warningSjis = platform::Utf8ToShiftJis("警告");
  platform::UseLanguage(platform::LanguageChoice::English);
  EXPECT_EQ(platform::Translated(warningSjis), "Warning") << "the built catalog is found";
  EXPECT_STREQ(platform::TranslatedUtf8("機体メニュー"), "Aircraft");
  EXPECT_EQ(platform::Translated("no such text"), "no such text") << "what the catalog lacks stays";

  Tick();  // the wind's line on the HUD
  EXPECT_FALSE(device.CallsStartingWith("DrawText").empty());
  bool englishWind = false;
  for (const std::string& call : device.CallsStartingWith("DrawText")) {
    englishWind = englishWind || call.find("Wind 0.5m/s") != std::string::npos;
  }
  EXPECT_TRUE(englishWind);

  // A ranked flight's files keep their Japanese labels in English.
  const std::string before = fakes::ReadText("temp.txt");
  WriteQuickDesign();
  os.Input.Press(platform::Key::Space);
  Tick();
  os.Input.Release(platform::Key::Space);
  os.Dialogs.Names.push_back("Tester");
  TickUntil(game::Replay);
  const std::string entry = fakes::ReadText("rank/rank" + std::to_string(g.Ranking->NewEntryIndex) + ".txt");
  EXPECT_NE(entry.find(platform::Utf8ToShiftJis("風速[m/s]")), std::string::npos);

  // The choice is kept, and the configurator the game starts is told it.
  app::LoadSavedOptions(g);  // reads the file (none yet): Auto, the test's C locale
  EXPECT_EQ(platform::CurrentLanguage(), Language::Japanese);
  app::HandleMenuCommand(g, app::kLanguageEnglish);
  app::RunTick(g);
  EXPECT_EQ(platform::ReadSettings().at("language"), "en");
  bool handedOn = false;
  for (const std::string& variable : platform::EnvironmentForChild()) handedOn |= variable == "VELKARO_LANGUAGE=en";
  EXPECT_TRUE(handedOn);
}

}  // namespace
