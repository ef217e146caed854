// The menu bar and the name dialog driven frame by frame with synthetic input on a
// bare Dear ImGui context (no window): what Esc, Enter and stray clicks do.
#include "platform/sdl/ui_dialogs.h"

#include <gtest/gtest.h>
#include <imgui.h>

#include <string>

namespace {

constexpr int kEscape = 1, kEnter = 2, kKeypadEnter = 3;  // key indices of the synthetic keyboard
constexpr float kFrameSeconds = 1.0f / 60;

// A UI context of its own with a 640 x 480 display.
class Ui {
public:
  Ui() : context_(ImGui::CreateContext()) {
    ImGuiIO& io = ImGui::GetIO();
    io.DisplaySize = ImVec2(640, 480);
    io.DeltaTime = kFrameSeconds;
    io.IniFilename = nullptr;
    unsigned char* pixels = nullptr;
    int width = 0, height = 0;
    io.Fonts->GetTexDataAsRGBA32(&pixels, &width, &height);
    io.KeyMap[ImGuiKey_Escape] = kEscape;
    io.KeyMap[ImGuiKey_Enter] = kEnter;
    io.KeyMap[ImGuiKey_KeyPadEnter] = kKeypadEnter;
  }
  ~Ui() { ImGui::DestroyContext(context_); }

  template <typename Draw>
  void Frames(int count, Draw draw) {
    for (int i = 0; i < count; ++i) {
      ImGui::NewFrame();
      draw();
      ImGui::EndFrame();
      ImGuiIO& io = ImGui::GetIO();
      for (bool& key : io.KeysDown) key = false;  // every press lasts one frame
    }
  }
  void Press(int key) { ImGui::GetIO().KeysDown[key] = true; }
  void Type(const char* utf8) { ImGui::GetIO().AddInputCharactersUTF8(utf8); }
  void MouseAt(float x, float y) { ImGui::GetIO().MousePos = ImVec2(x, y); }
  void Button(bool down) { ImGui::GetIO().MouseDown[0] = down; }
  // Moves the pointer there and clicks, a few frames for each.
  template <typename Draw>
  void Click(float x, float y, Draw draw) {
    MouseAt(x, y);
    Frames(2, draw);
    Button(true);
    Frames(1, draw);
    Button(false);
    Frames(2, draw);
  }

private:
  ImGuiContext* context_;
};

TEST(NameDialog, EnterMeansOkAndTypingReachesTheBoxAfterEscOrAStrayClick) {
  Ui ui;
  platform::NameDialog dialog;
  bool done = false;
  const auto draw = [&] { done = platform::DrawNameDialog(dialog, "ranking", "name") || done; };
  ui.MouseAt(600, 20);
  ui.Frames(3, draw);
  ui.Type("ab");
  ui.Frames(1, draw);
  ui.Press(kEscape);  // the edit box lets go of the keyboard (and would revert its text)
  ui.Frames(3, draw);
  ui.Type("c");
  ui.Frames(1, draw);
  ui.Button(true);  // a click beside the dialog
  ui.Frames(2, draw);
  ui.Button(false);
  ui.Frames(3, draw);
  ui.Type("d");
  ui.Frames(1, draw);
  EXPECT_FALSE(done);
  ui.MouseAt(5, 470);
  ui.Button(true);  // another stray click, then Enter before the box has the keyboard back
  ui.Frames(1, draw);
  ui.Button(false);
  ui.Press(kEnter);
  ui.Frames(1, draw);
  EXPECT_TRUE(done);
  EXPECT_EQ(std::string(dialog.Name), "abcd");
}

TEST(NameDialog, CharactersShiftJisCannotHoldAreRefusedVisiblyAndNeverStored) {
  EXPECT_TRUE(platform::NameCharacterAccepted('a'));
  EXPECT_TRUE(platform::NameCharacterAccepted('?'));
  EXPECT_TRUE(platform::NameCharacterAccepted(0x9AD9));   // 髙, in code page 932 only
  EXPECT_TRUE(platform::NameCharacterAccepted(0xFF5E));   // ～
  EXPECT_FALSE(platform::NameCharacterAccepted(0xD55C));  // 한
  EXPECT_FALSE(platform::NameCharacterAccepted(0xFFFD));  // what the UI makes of 😀

  Ui ui;
  platform::NameDialog dialog;
  const auto draw = [&] { platform::DrawNameDialog(dialog, "ranking", "name"); };
  ui.Frames(3, draw);
  ui.Type("a한");
  ui.Frames(1, draw);
  EXPECT_EQ(std::string(dialog.Name), "a");
  EXPECT_EQ(dialog.Refused, "한") << "the refusal names the character";
  ui.Type("髙");
  ui.Frames(1, draw);
  EXPECT_EQ(std::string(dialog.Name), "a髙");
  EXPECT_EQ(dialog.Refused, "") << "the next character taken clears the refusal";
}

TEST(NameDialog, PreeditTextSitsAtTheCaretAndKeepsEnterFromEndingTheDialog) {
  Ui ui;
  platform::NameDialog dialog;
  bool done = false;
  const auto draw = [&] { done = platform::DrawNameDialog(dialog, "ranking", "name") || done; };
  ui.Frames(3, draw);
  const platform::UiRect empty = dialog.TextInputArea;
  EXPECT_GT(empty.Width, 100) << "the whole edit box from its left edge";
  EXPECT_GT(empty.Height, 10);
  ui.Type("ab");
  ui.Frames(2, draw);
  const platform::UiRect afterText = dialog.TextInputArea;
  EXPECT_GT(afterText.X, empty.X) << "the area starts at the caret, after the text";
  EXPECT_FLOAT_EQ(afterText.X + afterText.Width, empty.X + empty.Width) << "and ends at the box's right edge";

  dialog.Composition = "にほん";  // an input method composing
  dialog.CompositionCursor = 2;
  ui.Press(kEnter);  // the input method's Enter takes the composition
  ui.Frames(1, draw);
  EXPECT_FALSE(done);
  EXPECT_EQ(std::string(dialog.Name), "ab") << "the pre-edit text is not the name";
  dialog.Composition.clear();
  ui.Frames(1, draw);  // Enter released
  ui.Press(kEnter);
  ui.Frames(1, draw);
  EXPECT_TRUE(done);
}

TEST(MenuBar, AnOpenMenuClosesWithEsc) {
  const std::vector<platform::MenuPopup> menu = {{"Game", {{40001, "Edit", true}, {40002, "Quit", true}}}};
  const std::map<int, bool> checks;
  std::deque<platform::WindowMessage> chosen;
  Ui ui;
  const auto draw = [&] { platform::DrawMenuBar(menu, checks, true, chosen); };
  const auto click = [&](float x, float y) { ui.Click(x, y, draw); };
  constexpr float kTitleX = 20, kTitleY = 8, kFirstItemY = 30;  // px: "Game" and "Edit" below it

  click(kTitleX, kTitleY);
  click(kTitleX, kFirstItemY);
  ASSERT_EQ(chosen.size(), 1u) << "the menu opened and its first item was chosen";
  EXPECT_EQ(chosen.front().CommandId, 40001);

  chosen.clear();
  click(kTitleX, kTitleY);
  ui.Press(kEscape);
  ui.Frames(2, draw);
  click(kTitleX, kFirstItemY);  // lands on the picture: the menu is closed
  EXPECT_TRUE(chosen.empty());
}

}  // namespace

namespace {

TEST(MenuBar, ASubmenuOpensOnItsItemAndAGreyedItemCannotBeChosen) {
  std::vector<platform::MenuPopup> menu = {
      {"Game",
       {{40001, "Edit", true},
        {0, "Watch", true, {{40100, "1. a name of some length", true}, {40101, "2. (none)", false}}}}}};
  const std::map<int, bool> checks;
  std::deque<platform::WindowMessage> chosen;
  Ui ui;
  const auto draw = [&] { platform::DrawMenuBar(menu, checks, true, chosen); };
  const auto moveTo = [&](float x, float y) {
    ui.MouseAt(x, y);
    ui.Frames(3, draw);
  };
  const auto click = [&](float x, float y) { ui.Click(x, y, draw); };
  // px: "Game", "Watch" (its second item) and the submenu beside it, item by item.
  constexpr float kTitleX = 20, kTitleY = 8, kWatchX = 30, kWatchY = 52, kSubmenuX = 140, kItemHeight = 22;

  click(kTitleX, kTitleY);
  moveTo(kWatchX, kWatchY);
  moveTo(kSubmenuX, kWatchY);
  click(kSubmenuX, kWatchY + kItemHeight);  // the greyed "2. (none)"
  EXPECT_TRUE(chosen.empty());
  click(kSubmenuX, kWatchY);
  ASSERT_EQ(chosen.size(), 1u) << "the submenu's first item was chosen";
  EXPECT_EQ(chosen.front().CommandId, 40100);
  EXPECT_EQ(platform::FindMenuItem(menu, 40101)->Text, "2. (none)");
  EXPECT_EQ(platform::FindMenuItem(menu, 0), nullptr) << "separators and submenu holders are no commands";
  EXPECT_EQ(platform::FindMenuItem(menu, 40002), nullptr);

  // Given its text and enabled, the second item can be chosen.
  *platform::FindMenuItem(menu, 40101) = {40101, "2. ##b", true, {}};
  chosen.clear();
  click(kTitleX, kTitleY);
  moveTo(kWatchX, kWatchY);
  moveTo(kSubmenuX, kWatchY);
  click(kSubmenuX, kWatchY + kItemHeight);
  ASSERT_EQ(chosen.size(), 1u);
  EXPECT_EQ(chosen.front().CommandId, 40101);
}

}  // namespace
