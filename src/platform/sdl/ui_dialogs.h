#pragma once
// The game's menu bar and modal dialogs as Dear ImGui draws them, one frame per call.
// Nothing here knows the window system, so tests drive them with synthetic input.
#include <cstddef>
#include <deque>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace platform {

// What the loop receives instead of a window message.
struct WindowMessage {
  enum Kind { Command, Close } Type = Command;
  int CommandId = 0;
};

// One entry of the menu bar; texts in UTF-8, as the UI draws them. An item with a
// submenu opens it and is not chosen itself.
struct MenuItem {
  MenuItem() = default;
  MenuItem(int commandId, std::string text, bool enabled, std::vector<MenuItem> submenu = {})
      : CommandId(commandId), Text(std::move(text)), Enabled(enabled), Submenu(std::move(submenu)) {}

  int CommandId = 0;  // 0: separator (unless it has a submenu)
  std::string Text;
  // The Shift-JIS text an item set at run time was converted from: the game sets its
  // changing items after every tick, and an unchanged text is not converted again.
  std::optional<std::string> SjisText;
  bool Enabled = true;
  std::vector<MenuItem> Submenu;
};
struct MenuPopup {
  std::string Text;
  std::vector<MenuItem> Items;
};

// The item of that command in the menu, in submenus too; nullptr when there is none.
MenuItem* FindMenuItem(std::vector<MenuPopup>& menu, int commandId);

// The menu bar; an item chosen in this frame is appended to `chosen`. An open menu
// closes with Esc, as menus do. `enabled` false greys it out (behind a dialog).
void DrawMenuBar(const std::vector<MenuPopup>& menu, const std::map<int, bool>& checks, bool enabled,
                 std::deque<WindowMessage>& chosen);

// The warning box: the text with OK and Cancel; true once either (or Enter, Esc) was
// pressed.
bool DrawWarningBox(const char* caption, const std::string& utf8Text);

// A rectangle in window pixels.
struct UiRect {
  float X = 0, Y = 0, Width = 0, Height = 0;
  bool operator==(const UiRect&) const = default;
};

// The name dialog between frames: the name typed so far (UTF-8), and what an input
// method is composing.
struct NameDialog {
  static constexpr size_t kNameBufferBytes = 1024;  // UTF-8 of a 255-byte Shift-JIS name fits
  char Name[kNameBufferBytes] = {};
  // The input method's pre-edit text (UTF-8) and its cursor in characters, as the
  // window's text-editing events give them; empty while nothing is being composed.
  std::string Composition;
  int CompositionCursor = 0;
  // Where the text goes in, set by each frame: the edit box from its caret on, for
  // the input method's candidate window.
  UiRect TextInputArea;
  // The last character refused because the ranking's Shift-JIS cannot hold it
  // (UTF-8), shown under the box until the next character is taken.
  std::string Refused;
};

// Whether a typed character may go into a name: the ranking stores names in
// Shift-JIS (code page 932), and a character it cannot encode would be stored as '?'.
bool NameCharacterAccepted(unsigned codepoint);

// One frame of the name dialog. Enter always means OK, whatever has the focus, and
// the edit box takes what is typed: it gets the keyboard back whenever it lost it (an
// Esc, a click beside it), and Esc never throws the typed name away. True once OK or
// Enter ended the dialog.
bool DrawNameDialog(NameDialog& dialog, const char* title, const char* prompt);

// The league dialog between frames: the fields as typed (UTF-8), the contest chosen,
// and why OK did not close it.
struct LeagueDialog {
  static constexpr size_t kAddressBytes = 256;
  char Address[kAddressBytes] = {};
  int Contest = 0;
  char Pilot[NameDialog::kNameBufferBytes] = {};
  std::string Problem;  // UTF-8, empty while there is none
};

enum class DialogEnd { Open, Ok, Cancel };

// One frame of the league dialog: the league's address (empty: no league), the
// contest, the pilot's name (only characters the game's Shift-JIS holds) and the start
// of the player's token. OK with an address needs a name.
DialogEnd DrawLeagueDialog(LeagueDialog& dialog, const std::vector<std::string>& contests,
                           const std::string& shownToken);

}  // namespace platform
