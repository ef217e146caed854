// The shared UI window on SDL's offscreen video driver: how events reach the UI.
#include "platform/sdl/ui_window.h"

#include <SDL_opengl.h>

#include <SDL.h>
#include <gtest/gtest.h>
#include <imgui.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <vector>

#include <string>
#include "platform/sdl/ui_dialogs.h"

namespace {

class UiWindowTest : public ::testing::Test {
protected:
  static void SetUpTestSuite() {
    setenv("SDL_VIDEODRIVER", "offscreen", 1);
    // Kept for the process's life: closing SDL would unload Mesa, whose lasting
    // allocations LeakSanitizer would then report.
    window_ = new platform::UiWindow;
    platform::UiWindowOptions options;
    options.Title = "velkaro ui test";
    options.Width = 320;
    options.Height = 240;
    opened_ = window_->Open(options, error_);
  }

  void SetUp() override {
    if (!opened_) GTEST_SKIP() << "no window: " << error_;
    while (window_->PumpEvents(0).Events > 0) {
    }
  }

  static void PushKey(Uint32 type, SDL_Keycode key, Uint16 mod = KMOD_NONE) {
    SDL_Event event{};
    event.type = type;
    event.key.state = type == SDL_KEYDOWN ? SDL_PRESSED : SDL_RELEASED;
    event.key.keysym.sym = key;
    event.key.keysym.scancode = SDL_GetScancodeFromKey(key);
    event.key.keysym.mod = mod;
    SDL_PushEvent(&event);
  }

  static platform::UiWindow* window_;
  static bool opened_;
  static std::string error_;
};

platform::UiWindow* UiWindowTest::window_ = nullptr;
bool UiWindowTest::opened_ = false;
std::string UiWindowTest::error_;

TEST_F(UiWindowTest, TextEditingEventsGiveThePreeditTextUntilTheTextIsTaken) {
  SDL_Event edit{};
  edit.type = SDL_TEXTEDITING;
  std::strcpy(edit.edit.text, "にほ");
  edit.edit.start = 1;
  edit.edit.length = 0;
  SDL_PushEvent(&edit);
  std::strcpy(edit.edit.text, "にほん");
  edit.edit.start = 3;
  SDL_PushEvent(&edit);
  while (window_->PumpEvents(0).Events > 0) {
  }
  EXPECT_EQ(window_->Preedit().Text, "にほん");
  EXPECT_EQ(window_->Preedit().Cursor, 3);
  window_->SetTextInputArea(10, 20, 200, 24);  // SDL takes it with no input method running

  SDL_Event taken{};
  taken.type = SDL_TEXTINPUT;
  std::strcpy(taken.text.text, "日本");
  SDL_PushEvent(&taken);
  while (window_->PumpEvents(0).Events > 0) {
  }
  EXPECT_EQ(window_->Preedit().Text, "");
}

TEST_F(UiWindowTest, FullScreenAndBackToTheWindowAsItWas) {
  int width = 0, height = 0;
  SDL_GetWindowSize(window_->Handle(), &width, &height);
  window_->SetFullScreen(true, 320, 240);
  EXPECT_TRUE(window_->FullScreen());
  window_->SetFullScreen(true, 320, 240);  // already: nothing changes
  EXPECT_TRUE(window_->FullScreen());
  window_->SetFullScreen(false, 320, 240);
  EXPECT_FALSE(window_->FullScreen());
  int widthAfter = 0, heightAfter = 0;
  SDL_GetWindowSize(window_->Handle(), &widthAfter, &heightAfter);
  EXPECT_EQ(widthAfter, width);
  EXPECT_EQ(heightAfter, height);
}

// The window's pixels as the last frame left them, top row first, RGB.
std::vector<unsigned char> FramePixels(int width, int height) {
  std::vector<unsigned char> rgb(static_cast<size_t>(width) * height * 3);
  glReadBuffer(GL_BACK);
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glReadPixels(0, 0, width, height, GL_RGB, GL_UNSIGNED_BYTE, rgb.data());
  std::vector<unsigned char> flipped(rgb.size());
  const size_t row = static_cast<size_t>(width) * 3;
  for (int y = 0; y < height; ++y) std::memcpy(&flipped[y * row], &rgb[(height - 1 - y) * row], row);
  return flipped;
}

// Dark pixels in a row of the frame between two columns.
int DarkRun(const std::vector<unsigned char>& rgb, int width, int y, int left, int right) {
  int longest = 0, run = 0;
  for (int x = left; x < right; ++x) {
    const unsigned char* p = &rgb[(static_cast<size_t>(y) * width + x) * 3];
    run = (p[0] < 80 && p[1] < 80 && p[2] < 80) ? run + 1 : 0;
    longest = std::max(longest, run);
  }
  return longest;
}

TEST_F(UiWindowTest, NameDialogDrawsThePreeditTextUnderlinedAtTheCaret) {
  const int width = window_->DrawableWidth(), height = window_->DrawableHeight();
  platform::NameDialog dialog;
  std::strcpy(dialog.Name, "ab");
  const auto frames = [&](int count) {
    for (int i = 0; i < count; ++i) {
      window_->PumpEvents(0);
      window_->BeginUiFrame();
      window_->ClearTo(0.2f, 0.3f, 0.5f);
      platform::DrawNameDialog(dialog, "ランキング登録", "名前 (全角6文字分まで)");
      window_->EndUiFrame();
    }
  };
  frames(4);
  const platform::UiRect area = dialog.TextInputArea;
  ASSERT_GT(area.Width, 0);
  const int left = static_cast<int>(area.X), right = std::min(width, static_cast<int>(area.X + area.Width));
  const int top = static_cast<int>(area.Y), bottom = std::min(height, static_cast<int>(area.Y + area.Height));
  const auto underlineRow = [&](const std::vector<unsigned char>& rgb) {
    int best = 0;  // the longest dark run of any row inside the box, its border rows left out
    for (int y = top + 2; y < bottom - 2; ++y) best = std::max(best, DarkRun(rgb, width, y, left + 1, right - 2));
    return best;
  };
  const int plain = underlineRow(FramePixels(width, height));

  dialog.Composition = "にほん";
  dialog.CompositionCursor = 2;
  frames(2);
  const std::vector<unsigned char> composing = FramePixels(width, height);
  EXPECT_LT(plain, 8) << "no line in the box while nothing is composed";
  EXPECT_GT(underlineRow(composing), 30) << "three characters underlined from the caret";
  if (const char* dir = std::getenv("VELKARO_SHOT_DIR")) {  // a picture of it for a person to look at
    std::ofstream out(std::string(dir) + "/name-dialog-preedit.ppm", std::ios::binary);
    out << "P6\n" << width << ' ' << height << "\n255\n";
    out.write(reinterpret_cast<const char*>(composing.data()), static_cast<std::streamsize>(composing.size()));
  }
}

TEST_F(UiWindowTest, EachKeyChangeGetsAFrameOfItsOwn) {
  // Two quick Backspaces and a Ctrl+A, all waiting at once, as a fast typist or a
  // paste produces them: the UI reads key states once a frame, so each change must
  // arrive in its own batch or a press would be undone before the UI saw it.
  PushKey(SDL_KEYDOWN, SDLK_BACKSPACE);
  PushKey(SDL_KEYUP, SDLK_BACKSPACE);
  PushKey(SDL_KEYDOWN, SDLK_BACKSPACE);
  PushKey(SDL_KEYUP, SDLK_BACKSPACE);
  PushKey(SDL_KEYDOWN, SDLK_a, KMOD_LCTRL);
  SDL_Event motion{};
  motion.type = SDL_MOUSEMOTION;
  SDL_PushEvent(&motion);
  PushKey(SDL_KEYUP, SDLK_a, KMOD_LCTRL);

  std::string ctrlKeys;
  int batches = 0, events = 0;
  for (platform::UiWindow::Input input; (input = window_->PumpEvents(0)).Events > 0;) {
    ++batches;
    events += input.Events;
    ctrlKeys += input.CtrlKeys;
    EXPECT_LE(input.Events, 2) << "batch " << batches;
  }
  EXPECT_EQ(events, 7);
  EXPECT_EQ(batches, 6) << "the mouse motion rides with the key press before it";
  EXPECT_EQ(ctrlKeys, "a");
}

TEST_F(UiWindowTest, CtrlShiftLettersComeInUpperCase) {
  // Ctrl+S and Ctrl+Shift+S are different commands; the Shift is the key event's own,
  // even when its release is already waiting behind it.
  PushKey(SDL_KEYDOWN, SDLK_s, KMOD_LCTRL);
  PushKey(SDL_KEYUP, SDLK_s, KMOD_LCTRL);
  PushKey(SDL_KEYDOWN, SDLK_s, KMOD_LCTRL | KMOD_LSHIFT);
  PushKey(SDL_KEYUP, SDLK_s, KMOD_LCTRL | KMOD_LSHIFT);
  PushKey(SDL_KEYUP, SDLK_LSHIFT, KMOD_LCTRL);
  std::string ctrlKeys;
  for (platform::UiWindow::Input input; (input = window_->PumpEvents(0)).Events > 0;) ctrlKeys += input.CtrlKeys;
  EXPECT_EQ(ctrlKeys, "sS");
}

TEST_F(UiWindowTest, TextTypedBeforeACtrlShortcutReachesTheFieldWhileTheCtrlIsAlreadyRead) {
  // The keys of "3." wait behind one another, handed over a frame each, while SDL has
  // already read the Ctrl of a Ctrl+S typed next: the field must take them as typed,
  // with the modifiers they were typed with, not as Ctrl chords.
  char text[16] = "";
  const auto frame = [&](bool focus) {
    window_->BeginUiFrame();
    ImGui::SetNextWindowPos(ImVec2(0, 0));
    ImGui::Begin("fields");
    if (focus) ImGui::SetKeyboardFocusHere();
    ImGui::InputText("##field", text, sizeof text);
    ImGui::End();
    window_->EndUiFrame();
  };
  frame(true);
  frame(false);
  for (const char* typed : {"3", "."}) {
    const SDL_Keycode key = static_cast<SDL_Keycode>(typed[0]);
    PushKey(SDL_KEYDOWN, key);
    SDL_Event input{};
    input.type = SDL_TEXTINPUT;
    std::strcpy(input.text.text, typed);
    SDL_PushEvent(&input);
    PushKey(SDL_KEYUP, key);
  }
  SDL_SetModState(KMOD_LCTRL);
  while (window_->PumpEvents(0).Events > 0) frame(false);
  SDL_SetModState(KMOD_NONE);
  frame(false);
  EXPECT_STREQ(text, "3.");
}

TEST_F(UiWindowTest, QuitRequestIsReported) {
  SDL_Event quit{};
  quit.type = SDL_QUIT;
  SDL_PushEvent(&quit);
  EXPECT_TRUE(window_->PumpEvents(0).CloseRequested);
  EXPECT_FALSE(window_->PumpEvents(0).CloseRequested);
}

TEST_F(UiWindowTest, WaitingWithNothingToReadReturnsEmpty) {
  const platform::UiWindow::Input input = window_->PumpEvents(1);
  EXPECT_EQ(input.Events, 0);
  EXPECT_FALSE(input.CloseRequested);
}

}  // namespace
