// velkaro: the game. One window; reads and writes its files in the working directory
// when it holds them (a BootConfig.txt), otherwise in the player's data folder.

#include "app/boot_config.h"
#include "app/game_state_name.h"
#include "app/league_option.h"
#include "app/main_menu.h"
#include "app/menu_commands.h"
#include "app/saved_options.h"
#include "app/sound_switch.h"
#include "game/game.h"
#include "platform/audio/sound_bank.h"
#include "platform/gl/gl_device.h"
#include "platform/os/child_process.h"
#include "platform/os/data_folder.h"
#include "platform/os/program_info.h"
#include "platform/os/system_services.h"
#include "platform/sdl/app_window.h"
#include "platform/sdl/sdl_input.h"
#include "platform/sdl/sdl_sound.h"
#include "platform/services.h"
#include "platform/text/language.h"
#include "platform/text/shift_jis.h"
#include "platform/ui_probe.h"

namespace {

constexpr int kExitFailure = 1;
// "デバイスの作成に失敗"
constexpr const char* kDeviceFailed =
    N_("\x83\x66\x83\x6f\x83\x43\x83\x58\x82\xcc\x8d\xec\x90\xac\x82\xc9\x8e\xb8\x94\x73");

// Hands every waiting message to the game; runs a tick when none is waiting. Returns
// when the window is closed or the menu asks to quit.
void RunMessageLoop(platform::AppWindow& window, game::Game& game, app::SoundSwitch& sound) {
  for (;;) {
    sound.Follow(game.SoundChoice);
    platform::WindowMessage message;
    if (!window.PollMessage(message)) {
      app::RunTick(game);
      continue;
    }
    if (message.Type == platform::WindowMessage::Close) return;
    if (message.CommandId != 0 && app::HandleMenuCommand(game, message.CommandId) == app::AfterCommand::Quit) return;
  }
}

constexpr platform::DataFolderMarkers kGameFiles{"BootConfig.txt"};

std::string HelpText() {
  return std::string(platform::TranslatedUtf8(
             N_("使い方: velkaro [--help | --version]\n"
                "人力グライダーの飛距離競技です。スペースキーで発進台から発進し、上下キーかマウス\n"
                "の縦のドラッグで尾翼を調整します。カメラは 0～4 のキーです。ほかの引数は無視します。\n\n"))) +
         platform::DescribeDataFolder(kGameFiles) +
         platform::TranslatedUtf8(
             N_("そこで BootConfig.txt, temp.txt, image/, model/, pol/, rank/, sound/ を読み、\n"
                "zahyou.txt, rank/, CSV の書き出し (YYYYMMDD-hhmmss.txt) と残しておく設定\n"
                "(velkaro-settings.txt) を書きます。ゲームが起動する設定ツール (velkaro-config) も\n"
                "そこに temp.txt を書きます。\n"));
}

// The sound device with the game's sounds. Without one the game plays silent and says
// nothing: a player without a sound device has nothing to do about it.
std::unique_ptr<platform::Sound> OpenSound() {
  std::string unused;
  return platform::SdlSound::Open(platform::audio::LoadSoundBank(), unused);
}

}  // namespace

int main(int argc, char** argv) {
  platform::UseLanguage(platform::LanguageChoice::Auto);  // the player's choice comes with the options
  if (const auto answered = platform::AnswerInfoOption(argc, argv, {"velkaro", HelpText()})) return *answered;
  platform::AppWindow window;
  if (std::string folderError; !platform::EnterDataFolder(kGameFiles, folderError)) {
    window.ShowWarning(platform::Utf8ToShiftJis("velkaro: " + folderError));
    return kExitFailure;
  }
  const app::BootConfig boot = app::ReadBootConfig();
  std::string error;
  if (!window.Open({"velkaro", boot.WindowWidth, boot.WindowHeight, boot.FullScreen == 1}, app::MainMenu(), error)) {
    // On standard error, and in a message box where the display can show one (a window
    // size the display cannot give): a player who started the game from a menu sees it.
    window.ShowWarning("velkaro: " + error);
    return kExitFailure;
  }
  std::unique_ptr<platform::gl::GlDevice> device =
      platform::gl::GlDevice::Create(window.PictureWidth(), window.PictureHeight(), platform::AppWindow::GlFunction,
                                     [&window] { window.PresentFrame(); });
  if (!device) {
    window.ShowWarning(platform::Translated(kDeviceFailed));
    return kExitFailure;
  }

  platform::SystemClock clock;
  platform::SdlInput input;
  platform::StdRandom random;
  platform::ChildProcesses processes;
  platform::ScopedServices services({&clock, &input, &window, &random, &window, &processes});

  game::Game game;
  game.Device = device.get();
  game.WindowWidth = boot.WindowWidth;
  game.WindowHeight = boot.WindowHeight;
  game.ClientWidth = window.PictureWidth();
  game.ClientHeight = window.PictureHeight();
  platform::SetUiStateSource([&game] { return std::string(app::GameStateName(game.State)); });
  app::LoadSavedOptions(game);
  app::StartLeague(game);
  app::SoundSwitch sound(OpenSound);
  RunMessageLoop(window, game, sound);
  game::Shutdown(game);
  return 0;
}
