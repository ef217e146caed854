// velkaro-config: the aircraft configurator. Edits the design in "temp.txt" of the
// game's folder (the working directory when it holds the game's files, as when the
// game starts it as "config.exe" and reads that file when it ends; otherwise the
// player's data folder). `velkaro-config --write-default FILE` writes the built-in design (the shipped
// glider) to FILE without opening a window.
#include <imgui.h>

#include <cstdio>
#include <string>

#include "aircraft/aircraft_file.h"
#include "config_ui.h"
#include "design_editor.h"
#include "platform/data_folder.h"
#include "platform/files.h"
#include "platform/program_info.h"
#include "platform/sdl/ui_window.h"

namespace {

constexpr int kWindowWidth = 1280;    // px
constexpr int kWindowHeight = 960;    // px
constexpr int kIdleWaitMs = 250;      // an idle window redraws four times a second
constexpr int kFramesAfterInput = 3;  // hover and focus changes settle within a few frames
constexpr float kFontSize = 15.0f;    // px
constexpr float kBackground = 0.94f;  // light grey behind the panels

// Compact rows: the file has 49 lines of values, and most should fit at once.
void UseCompactStyle() {
  ImGuiStyle& style = ImGui::GetStyle();
  style.FramePadding.y = 2;
  style.ItemSpacing.y = 3;
  style.CellPadding.y = 1;
}

// A folder with a boot file, or one with a design to edit, is the game's folder.
constexpr platform::DataFolderMarkers kDesignFiles{"BootConfig.txt", "temp.txt"};

std::string HelpText() {
  return "usage: velkaro-config [--write-default FILE | --help | --version]\n"
         "The aircraft configurator: edits the design the game flies (temp.txt) with units,\n"
         "checks, a planform view, a test flight and a trim sweep.\n"
         "  --write-default FILE  write the built-in design (the shipped glider) to FILE\n"
         "                        and exit, without a window\n\n" +
         platform::DescribeDataFolder(kDesignFiles) +
         "There it reads and writes temp.txt (and opens the files chosen in the window).\n";
}

int WriteDefaultDesign(const char* fileName) {
  if (!platform::WriteFileAtomically(fileName, aircraft::FormatAircraftSpec(config::DefaultDesign()))) {
    std::fprintf(stderr, "velkaro-config: cannot write %s\n", fileName);
    return 1;
  }
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (const auto answered = platform::AnswerInfoOption(argc, argv, {"velkaro-config", HelpText()})) return *answered;
  if (argc == 3 && std::string(argv[1]) == "--write-default") return WriteDefaultDesign(argv[2]);
  if (argc != 1) {
    std::fprintf(stderr, "usage: velkaro-config [--write-default FILE | --help | --version]\n");
    return 2;
  }
  if (std::string folderError; !platform::EnterDataFolder(kDesignFiles, folderError)) {
    std::fprintf(stderr, "velkaro-config: %s\n", folderError.c_str());
    return 1;
  }
  platform::UiWindow window;
  platform::UiWindowOptions options;
  options.Title = "velkaro-config";
  options.Width = kWindowWidth;
  options.Height = kWindowHeight;
  options.Resizable = true;
  options.WaitForVsync = true;
  options.FontSize = kFontSize;
  std::string error;
  if (!window.Open(options, error)) {
    std::fprintf(stderr, "velkaro-config: %s\n", error.c_str());
    return 1;
  }
  UseCompactStyle();
  config::UiState ui;
  config::StartUi(ui);
  int eagerFrames = kFramesAfterInput;
  while (!ui.Document.Quit) {
    const bool eager = config::UiBusy(ui) || eagerFrames > 0;
    const platform::UiWindow::Input input = window.PumpEvents(eager ? 0 : kIdleWaitMs);
    if (input.Events > 0) {
      eagerFrames = kFramesAfterInput;
    } else if (eagerFrames > 0) {
      --eagerFrames;
    }
    window.BeginUiFrame();
    const bool ctrlS = input.CtrlKeys.find('s') != std::string::npos;
    const bool ctrlShiftS = input.CtrlKeys.find('S') != std::string::npos;
    const bool ctrlO = input.CtrlKeys.find('o') != std::string::npos;
    const bool ctrlZ = input.CtrlKeys.find('z') != std::string::npos;
    const bool ctrlY = input.CtrlKeys.find('y') != std::string::npos;
    config::DrawUi(ui, {.Close = input.CloseRequested,
                        .Save = ctrlS,
                        .SaveAs = ctrlShiftS,
                        .Open = ctrlO,
                        .Undo = ctrlZ,
                        .Redo = ctrlY});
    window.ClearTo(kBackground, kBackground, kBackground);
    window.EndUiFrame();
  }
  return 0;
}
