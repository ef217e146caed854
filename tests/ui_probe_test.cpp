// The UI probe on a bare Dear ImGui context: what a recorded frame says about named
// items, menus and windows, and that a click at a recorded place reaches that item.
#include "platform/sdl/ui_probe.h"

#include <gtest/gtest.h>
#include <imgui.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "platform/sdl/ui_dialogs.h"
#include "platform/ui_probe.h"

namespace {

namespace fs = std::filesystem;
using Fields = std::vector<std::string>;

class ProbeTest : public ::testing::Test {
protected:
  ProbeTest() : context_(ImGui::CreateContext()) {
    ImGuiIO& io = ImGui::GetIO();
    io.DisplaySize = ImVec2(640, 480);
    io.DeltaTime = 1.0f / 60;
    io.IniFilename = nullptr;
    unsigned char* pixels = nullptr;
    int width = 0, height = 0;
    io.Fonts->GetTexDataAsRGBA32(&pixels, &width, &height);
    folder_ = fs::temp_directory_path() / ("ui_probe_test_" + std::to_string(getpid()));
    fs::create_directories(folder_);
    path_ = (folder_ / "probe.txt").string();
  }
  ~ProbeTest() override {
    platform::SetUiStateSource(nullptr);
    ImGui::DestroyContext(context_);
    fs::remove_all(folder_);
  }

  template <typename Draw>
  void Frames(platform::UiProbe& probe, int count, Draw draw) {
    for (int i = 0; i < count; ++i) {
      ImGui::NewFrame();
      probe.BeginFrame();
      draw();
      ImGui::Render();
      ASSERT_TRUE(probe.EndFrame());
      ImGui::GetIO().MouseDown[0] = false;  // a click lasts one frame
    }
  }
  // Clicks the middle of what the last frame recorded under that name.
  template <typename Draw>
  void ClickRecorded(platform::UiProbe& probe, const std::string& name, Draw draw) {
    const Fields widget = Line("widget", name);
    ASSERT_GE(widget.size(), 6u) << name << " was not recorded";
    ImGui::GetIO().MousePos =
        ImVec2(std::stof(widget[2]) + std::stof(widget[4]) / 2, std::stof(widget[3]) + std::stof(widget[5]) / 2);
    Frames(probe, 2, draw);
    ImGui::GetIO().MouseDown[0] = true;
    Frames(probe, 3, draw);
  }

  // The recorded line of that kind and name, split at tabs (empty when there is none).
  Fields Line(const std::string& kind, const std::string& name) const {
    std::ifstream file(path_);
    for (std::string line; std::getline(file, line);) {
      Fields fields;
      std::stringstream split(line);
      for (std::string field; std::getline(split, field, '\t');) fields.push_back(field);
      if (line.back() == '\t') fields.emplace_back();
      if (fields.size() >= 2 && fields[0] == kind && fields[1] == name) return fields;
    }
    return {};
  }

  ImGuiContext* context_;
  fs::path folder_;
  std::string path_;
};

TEST_F(ProbeTest, MenuItemsAreNamedByCommandAndAClickAtTheRecordedPlaceChoosesThem) {
  platform::UiProbe probe(path_);
  const std::vector<platform::MenuPopup> menu{
      {"File", {{7, "Save", true}, {8, "Auto", true}, {0, "More", true, {{9, "Deep", true}}}}},
      {"View", {{10, "Plot", true}}}};
  const std::map<int, bool> checks{{8, true}};
  std::deque<platform::WindowMessage> chosen;
  const auto draw = [&] { platform::DrawMenuBar(menu, checks, true, chosen); };

  Frames(probe, 2, draw);
  EXPECT_FALSE(Line("widget", "menu.View").empty());
  EXPECT_TRUE(Line("widget", "menu.7").empty()) << "an item of a closed menu";
  ClickRecorded(probe, "menu.File", draw);
  EXPECT_EQ(Line("window", "menu.File").back(), "menu");
  EXPECT_FALSE(Line("widget", "menu.File").empty()) << "the bar's item of an open menu";
  EXPECT_FALSE(Line("widget", "menu.More").empty());
  EXPECT_EQ(Line("widget", "menu.8").back(), "checked");
  EXPECT_EQ(Line("widget", "menu.7").back(), "");

  ClickRecorded(probe, "menu.7", draw);
  ASSERT_EQ(chosen.size(), 1u);
  EXPECT_EQ(chosen.front().CommandId, 7);
  EXPECT_TRUE(Line("window", "menu.File").empty()) << "the menu closes once an item is chosen";
}

TEST_F(ProbeTest, AFrameListsTheWindowsTheStateAndTheVisibleNamedItemsOnly) {
  platform::UiProbe probe(path_);
  platform::SetUiStateSource([] { return std::string("Ready\tnow"); });
  char text[32] = "";
  bool firstFrame = true;
  const auto draw = [&] {
    ImGui::SetNextWindowPos(ImVec2(50, 60));
    ImGui::SetNextWindowSize(ImVec2(200, 100));
    ImGui::Begin("Panel##p", nullptr, ImGuiWindowFlags_NoScrollbar);
    ImGui::InputText("##field", text, sizeof text);
    platform::NameLastItem("panel.field");
    if (firstFrame) platform::NameLastItem("panel.once");
    ImGui::Dummy(ImVec2(10, 400));
    ImGui::Button("below");
    platform::NameLastItem("panel.below");  // outside the window's 100 px
    ImGui::End();
    firstFrame = false;
  };
  Frames(probe, 2, draw);
  EXPECT_EQ(Line("state", "Ready now").size(), 2u) << "a tab in the state becomes a space";
  EXPECT_EQ(Line("window", "Panel"), (Fields{"window", "Panel", "50", "60", "200", "100", "window"}));
  EXPECT_TRUE(Line("widget", "panel.once").empty()) << "an item of an earlier frame";
  EXPECT_TRUE(Line("widget", "panel.below").empty()) << "an item out of sight";

  ClickRecorded(probe, "panel.field", draw);
  ImGui::GetIO().AddInputCharactersUTF8("xy");
  Frames(probe, 1, draw);
  const Fields field = Line("widget", "panel.field");
  ASSERT_EQ(field.size(), 8u);
  EXPECT_NE(field[6].find("active"), std::string::npos);
  EXPECT_EQ(field[7], "xy");
  EXPECT_FALSE(fs::exists(path_ + ".tmp"));
}

TEST_F(ProbeTest, OnlyOneProbeRecordsAndAFileThatCannotBeWrittenIsReported) {
  {
    platform::UiProbe first(path_);
    platform::UiProbe second((folder_ / "second.txt").string());
    EXPECT_TRUE(first.Recording());
    EXPECT_FALSE(second.Recording());
    Frames(second, 1, [] {});
    EXPECT_FALSE(fs::exists(folder_ / "second.txt"));
  }
  EXPECT_FALSE(platform::UiProbeRecording());
  platform::UiProbe unwritable((folder_ / "missing" / "probe.txt").string());
  ImGui::NewFrame();
  unwritable.BeginFrame();
  ImGui::Render();
  EXPECT_FALSE(unwritable.EndFrame());
}

TEST(UiProbePath, TheVariableNamesAFileOrAFolderForEachProgram) {
  const std::string folder = fs::temp_directory_path().string();
  unsetenv("VELKARO_UI_PROBE");
  EXPECT_EQ(platform::UiProbe::PathFromEnvironment("velkaro"), "");
  setenv("VELKARO_UI_PROBE", "/nowhere/probe.txt", 1);
  EXPECT_EQ(platform::UiProbe::PathFromEnvironment("velkaro"), "/nowhere/probe.txt");
  setenv("VELKARO_UI_PROBE", "/nowhere/", 1);
  EXPECT_EQ(platform::UiProbe::PathFromEnvironment("velkaro-config"), "/nowhere/velkaro-config.txt");
  setenv("VELKARO_UI_PROBE", folder.c_str(), 1);
  EXPECT_EQ(fs::path(platform::UiProbe::PathFromEnvironment("velkaro")), fs::path(folder) / "velkaro.txt");
  unsetenv("VELKARO_UI_PROBE");
}

}  // namespace
