// The configurator in English: its choice of language is kept in the settings file the
// game shares, what it shows (field names, warnings, messages, --help) is English, and
// what it writes into files stays Japanese byte for byte.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "aircraft/aircraft_file.h"
#include "config/design/design_editor.h"
#include "config/design/design_fields.h"
#include "config/design/validation.h"
#include "config/figures/figures_export.h"
#include "config/language/language_setting.h"
#include "fakes/temp_dir.h"
#include "platform/io/settings_file.h"
#include "platform/text/language.h"

namespace {

using platform::LanguageChoice;

// Japanese kana and kanji (and full-width forms) start at U+3000: UTF-8 lead bytes
// 0xE3 to 0xEF.
bool HasJapanese(std::string_view utf8) {
  for (const char c : utf8) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte >= 0xE3 && byte <= 0xEF) return true;
  }
  return false;
}

struct ConfigLanguageTest : ::testing::Test {
  fakes::TempWorkingDir dir;
  void TearDown() override { platform::UseLanguage(LanguageChoice::Japanese); }
};

TEST_F(ConfigLanguageTest, TheChoiceIsKeptBesideTheOtherSettingsAndReadBackAtStart) {
  ASSERT_TRUE(platform::WriteSettings({{"ghost", "ranking-best"}, {"league.address", "http://league"}}));
  EXPECT_TRUE(config::ChooseLanguage(LanguageChoice::English));
  EXPECT_EQ(platform::CurrentLanguage(), platform::Language::English);
  const platform::SettingsValues kept = platform::ReadSettings();
  EXPECT_EQ(kept.at("language"), "en");
  EXPECT_EQ(kept.at("ghost"), "ranking-best");
  EXPECT_EQ(kept.at("league.address"), "http://league");

  platform::UseLanguage(LanguageChoice::Japanese);
  config::UseSavedLanguage();
  EXPECT_EQ(platform::CurrentLanguageChoice(), LanguageChoice::English);

  EXPECT_TRUE(config::ChooseLanguage(LanguageChoice::Auto));
  config::UseSavedLanguage();
  EXPECT_EQ(platform::CurrentLanguageChoice(), LanguageChoice::Auto);
}

TEST_F(ConfigLanguageTest, InEnglishTheWindowSpeaksEnglishWhileTheFilesStayJapanese) {
  flight::AircraftSpec spec = config::DefaultDesign();
  spec.Mass = 0;                  // refuses the save
  spec.SectionRootChord[1] *= 3;  // a plausibility warning with a section's name in it
  const std::string japaneseCsv = config::FormatFiguresCsv(spec, config::CsvEncoding::Utf8WithBom);
  const std::string japaneseFile = aircraft::FormatAircraftSpec(spec);

  platform::UseLanguage(LanguageChoice::English);
  for (const config::FileLine& line : config::FileLines()) {
    EXPECT_FALSE(HasJapanese(platform::TranslatedUtf8(line.Name))) << line.Number;
    EXPECT_FALSE(HasJapanese(platform::TranslatedUtf8(line.Unit))) << line.Number;
  }
  const auto warnings = config::ValidateDesign(spec);
  ASSERT_GE(warnings.size(), 2u);
  for (const config::DesignWarning& w : warnings) EXPECT_FALSE(HasJapanese(config::DescribeWarning(w)));
  EXPECT_FALSE(HasJapanese(config::DescribeSaveResult(config::SaveResult::Refused, "my design.txt")));
  EXPECT_FALSE(HasJapanese(
      config::DescribeExportResult(config::ExportResult::Written, "out.csv", config::CsvEncoding::Utf8WithBom)));

  EXPECT_EQ(config::FormatFiguresCsv(spec, config::CsvEncoding::Utf8WithBom), japaneseCsv);
  EXPECT_EQ(aircraft::FormatAircraftSpec(spec), japaneseFile);
}

TEST_F(ConfigLanguageTest, HelpFollowsTheEnvironment) {
  const std::string clean = "env -u LC_ALL -u LC_MESSAGES -u LANGUAGE -u VELKARO_LANGUAGE ";
  const std::string program = std::string(" ") + VELKARO_CONFIG_PATH + " --help >";
  ASSERT_EQ(std::system((clean + "LANG=en_US.UTF-8" + program + "help-en.txt").c_str()), 0);
  ASSERT_EQ(std::system((clean + "LANG=C" + program + "help-c.txt").c_str()), 0);
  const std::string english = fakes::ReadText("help-en.txt");
  const std::string japanese = fakes::ReadText("help-c.txt");
  EXPECT_FALSE(HasJapanese(english)) << english;
  EXPECT_TRUE(HasJapanese(japanese));
  for (const std::string& help : {english, japanese}) {
    EXPECT_NE(help.find("--export-figures FILE OUT [--sjis]"), std::string::npos) << help;
  }
}

}  // namespace
