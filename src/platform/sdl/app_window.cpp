#include "platform/sdl/app_window.h"

#include <SDL.h>
#include <SDL_opengl.h>
#include <imgui.h>

#include <cstdio>
#include <cstring>
#include <map>
#include <vector>

#include "platform/gfx/picture_fit.h"
#include "platform/gl/offscreen_target.h"
#include "platform/sdl/ui_dialogs.h"
#include "platform/sdl/ui_window.h"
#include "platform/text/language.h"
#include "platform/text/shift_jis.h"

namespace platform {
namespace {

constexpr int kMinWindowWidth = 320;   // px; a missing boot file still gives a usable window
constexpr int kMinWindowHeight = 240;  // px
constexpr float kUiFontSize = 16.0f;   // px
constexpr int kModalPollMs = 15;       // a modal dialog redraws about 60 times a second
constexpr float kRevealEdge = 2.0f;    // px from the top of a full screen that bring up the menu bar

// "警告", "OK" and the name dialog's texts, as UTF-8 for the UI.
constexpr const char* kWarningCaption = N_("警告");
constexpr const char* kNameDialogTitle = N_("ランキング登録");
// TRANSLATORS: the limit is the ranking's: six full-width characters, twelve ASCII ones.
constexpr const char* kNameDialogPrompt = N_("名前 (全角6文字分まで)");

// Where the system's message box cannot be shown (an X server without the core
// fonts it draws with, say) and the game's own window does not exist, a small window
// of its own carries the warning.
void ShowWarningInWindowOfItsOwn(const std::string& utf8Text) {
  constexpr int kBoxWidth = 560, kBoxHeight = 160;  // px
  UiWindow box;
  UiWindowOptions options;
  options.Title = TranslatedUtf8(kWarningCaption);
  options.Width = kBoxWidth;
  options.Height = kBoxHeight;
  options.FontSize = kUiFontSize;
  std::string ignored;
  if (!box.Open(options, ignored) || !box.UiReady()) return;
  for (bool done = false; !done;) {
    if (box.PumpEvents(kModalPollMs).CloseRequested) break;
    box.BeginUiFrame();
    box.ClearTo(1, 1, 1);
    done = DrawWarningBox(TranslatedUtf8(kWarningCaption), utf8Text);
    box.EndUiFrame();
  }
}

}  // namespace

struct AppWindow::Impl {
  UiWindow Ui;
  bool Quitting = false;  // a close request that arrived while a dialog was open
  std::vector<MenuPopup> Menu;
  std::map<int, bool> Checks;
  std::deque<WindowMessage> Pending;
  // What the game draws into, at the picture's size; without framebuffer objects the
  // game draws straight into the window and nothing is scaled.
  std::unique_ptr<gl::OffscreenTarget> Picture;
  int MenuBarHeight = 0;
  bool MenuRevealed = false;   // full screen: the pointer went to the top edge
  bool KeyHandedOver = false;  // a key change reached the UI since its last frame
  GLuint Snapshot = 0;         // without a Picture: the window's pixels behind a dialog
  int SnapshotWidth = 0, SnapshotHeight = 0;

  bool FullScreen() const { return Ui.FullScreen(); }
  int BootWidth = 0, BootHeight = 0;  // px, the size full screen asks the display for

  // F11 and Alt+Enter switch between the window and full screen.
  void ToggleFullScreenOnKey(const SDL_Event& event) {
    if (event.type != SDL_KEYDOWN || event.key.repeat) return;
    const SDL_Keycode key = event.key.keysym.sym;
    const bool altEnter = (key == SDLK_RETURN || key == SDLK_KP_ENTER) && (event.key.keysym.mod & KMOD_ALT);
    if (key == SDLK_F11 || altEnter) Ui.SetFullScreen(!FullScreen(), BootWidth, BootHeight);
  }

  // Where the picture goes in the window now.
  PixelRect PictureArea() const {
    const int width = Ui.DrawableWidth(), height = Ui.DrawableHeight();
    if (FullScreen()) return LetterboxRect(Picture->Width(), Picture->Height(), width, height);
    return {0, MenuBarHeight, width, std::max(MenuBarHeight + 1, height)};
  }

  // Puts the last picture into the window's frame, for the UI to draw over.
  void ShowPicture() {
    if (Picture) Picture->PresentTo(0, Ui.DrawableWidth(), Ui.DrawableHeight(), PictureArea());
  }

  // Called within a UI frame. A window always shows its bar; a full screen shows it
  // once the pointer touches the top edge, and keeps it while the pointer stays on the
  // bar or a menu of it is open.
  bool MenuBarShown() {
    if (!Picture || !FullScreen()) return true;
    const ImVec2 mouse = ImGui::GetIO().MousePos;
    const bool valid = ImGui::IsMousePosValid(&mouse);
    const bool atEdge = valid && mouse.y < kRevealEdge;
    const bool onBar = valid && mouse.y < static_cast<float>(MenuBarHeight);
    MenuRevealed = atEdge || (MenuRevealed && (onBar || ImGui::IsPopupOpen("", ImGuiPopupFlags_AnyPopupId)));
    return MenuRevealed;
  }

  void DrawMenu(bool enabled) { DrawMenuBar(Menu, Checks, enabled, Pending); }

  // Keeps what the window shows now, to stand behind a modal dialog.
  void TakeSnapshot() {
    SnapshotWidth = Ui.DrawableWidth();
    SnapshotHeight = Ui.DrawableHeight();
    std::vector<unsigned char> pixels(static_cast<size_t>(SnapshotWidth) * SnapshotHeight * 4);
    glPushAttrib(GL_ALL_ATTRIB_BITS);
    glPushClientAttrib(GL_CLIENT_ALL_ATTRIB_BITS);
    UseTextureUnitZeroOnly();
    glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
    glPixelStorei(GL_UNPACK_ROW_LENGTH, 0);
    glReadBuffer(GL_BACK);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, SnapshotWidth, SnapshotHeight, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
    if (!Snapshot) glGenTextures(1, &Snapshot);
    glBindTexture(GL_TEXTURE_2D, Snapshot);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, SnapshotWidth, SnapshotHeight, 0, GL_RGBA, GL_UNSIGNED_BYTE,
                 pixels.data());
    glPopClientAttrib();
    glPopAttrib();
  }

  void DrawSnapshot() {
    glPushAttrib(GL_ALL_ATTRIB_BITS);
    glPushClientAttrib(GL_CLIENT_ALL_ATTRIB_BITS);
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();
    glViewport(0, 0, SnapshotWidth, SnapshotHeight);
    UseTextureUnitZeroOnly();
    glDisable(GL_ALPHA_TEST);
    glDisable(GL_FOG);
    glDisable(GL_COLOR_MATERIAL);
    glColor4f(1, 1, 1, 1);
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_LIGHTING);
    glDisable(GL_BLEND);
    glDisable(GL_CULL_FACE);
    glEnable(GL_TEXTURE_2D);
    glBindTexture(GL_TEXTURE_2D, Snapshot);
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_REPLACE);
    glBegin(GL_TRIANGLE_STRIP);
    glTexCoord2f(0, 0), glVertex2f(-1, -1);
    glTexCoord2f(1, 0), glVertex2f(1, -1);
    glTexCoord2f(0, 1), glVertex2f(-1, 1);
    glTexCoord2f(1, 1), glVertex2f(1, 1);
    glEnd();
    glMatrixMode(GL_MODELVIEW);
    glPopMatrix();
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glPopClientAttrib();
    glPopAttrib();
  }

  // Runs a modal dialog until `frame` says it is done; no game tick runs meanwhile.
  // The picture stays as the game left it meanwhile, and is shown scaled to the
  // window as it is at each frame (it may be resized under the dialog).
  void RunModal(const std::function<bool()>& frame) {
    if (!Picture) TakeSnapshot();
    for (bool done = false; !done;) {
      if (Ui.PumpEvents(kModalPollMs).CloseRequested) Quitting = true;
      if (Quitting) break;  // closing the window (or a SIGTERM) ends the dialog too
      ShowPicture();
      Ui.BeginUiFrame();
      if (!Picture) DrawSnapshot();
      if (!Picture || !FullScreen()) DrawMenu(false);
      done = frame();
      Ui.EndUiFrame();
    }
    KeyHandedOver = false;
    if (Picture) Picture->Bind();
  }
};

AppWindow::AppWindow() : impl_(std::make_unique<Impl>()) {}

AppWindow::~AppWindow() = default;

bool AppWindow::Open(const WindowConfig& config, const std::vector<MenuPopup>& menu, std::string& error) {
  impl_->Menu = menu;
  impl_->BootWidth = config.Width;
  impl_->BootHeight = config.Height;
  UiWindowOptions options;
  options.Title = config.Title;
  options.Width = std::max(config.Width, kMinWindowWidth);
  options.Height = std::max(config.Height, kMinWindowHeight);
  options.FullScreen = config.FullScreen;
  // The player may resize (and maximise) the window; it opens at the boot size even
  // where that is larger than the display's usable area, as the picture is that size.
  options.Resizable = true;
  options.FitToDisplay = false;
  options.GameSurface = true;
  options.FontSize = kUiFontSize;
  if (!impl_->Ui.Open(options, error)) return false;
  // The bar's height before its first frame: the font is built only then, so this is
  // worked out from the font size and the style rather than asked of the UI.
  menuBarHeight_ = static_cast<int>(kUiFontSize + 2 * ImGui::GetStyle().FramePadding.y);
  impl_->MenuBarHeight = menuBarHeight_;
  // The picture's size is the window's as created: its area below the menu bar, or
  // on a full screen (where the bar only shows on demand) the whole boot size, even
  // where the display could not switch to that mode.
  const int width = config.FullScreen ? options.Width : impl_->Ui.DrawableWidth();
  const int height = config.FullScreen ? options.Height : std::max(1, impl_->Ui.DrawableHeight() - menuBarHeight_);
  impl_->Picture = gl::OffscreenTarget::Create(width, height, GlFunction);
  if (impl_->Picture) impl_->Picture->Bind();
  return true;
}

bool AppWindow::PollMessage(WindowMessage& message) {
  if (impl_->Quitting) {
    impl_->Quitting = false;
    message = {WindowMessage::Close, 0};
    return true;
  }
  if (!impl_->Pending.empty()) {
    message = impl_->Pending.front();
    impl_->Pending.pop_front();
    return true;
  }
  // The UI reads key states once a frame: after one key change the next waits for the
  // next frame (the tick that runs meanwhile draws one), or a quick press and release
  // would cancel out unseen (an Esc meant to close a menu). The game's own keys are read
  // from SDL's state, which is up to date either way.
  SDL_Event event;
  SDL_PumpEvents();
  if (SDL_PeepEvents(&event, 1, SDL_PEEKEVENT, SDL_FIRSTEVENT, SDL_LASTEVENT) != 1) return false;
  const bool keyEvent = event.type == SDL_KEYDOWN || event.type == SDL_KEYUP;
  if (keyEvent && impl_->KeyHandedOver) return false;
  SDL_PeepEvents(&event, 1, SDL_GETEVENT, SDL_FIRSTEVENT, SDL_LASTEVENT);
  impl_->KeyHandedOver = impl_->KeyHandedOver || keyEvent;
  const bool close = impl_->Ui.Deliver(event);
  impl_->ToggleFullScreenOnKey(event);
  message = {close ? WindowMessage::Close : WindowMessage::Command, 0};
  return true;
}

void* AppWindow::GlFunction(const char* name) { return SDL_GL_GetProcAddress(name); }

void AppWindow::PresentFrame() {
  impl_->ShowPicture();
  impl_->Ui.BeginUiFrame();
  if (impl_->MenuBarShown()) impl_->DrawMenu(true);
  impl_->Ui.EndUiFrame();
  impl_->KeyHandedOver = false;
  if (impl_->Picture) impl_->Picture->Bind();  // the next frame is drawn off screen again
}

int AppWindow::PictureWidth() const { return impl_->Picture ? impl_->Picture->Width() : impl_->Ui.DrawableWidth(); }

int AppWindow::PictureHeight() const {
  return impl_->Picture ? impl_->Picture->Height() : std::max(1, impl_->Ui.DrawableHeight() - menuBarHeight_);
}

bool AppWindow::IsChecked(int commandId) { return impl_->Checks[commandId]; }

void AppWindow::SetChecked(int commandId, bool checked) { impl_->Checks[commandId] = checked; }

void AppWindow::SetItem(int commandId, const std::string& sjisText, bool enabled) {
  MenuItem* item = FindMenuItem(impl_->Menu, commandId);
  if (!item) return;
  if (item->SjisText != sjisText) {
    item->Text = ShiftJisToUtf8(sjisText);
    item->SjisText = sjisText;
  }
  item->Enabled = enabled;
}

void AppWindow::ShowWarning(const std::string& sjisText) {
  const std::string text = ShiftJisToUtf8(sjisText);
  std::fprintf(stderr, "%s\n", text.c_str());
  if (!impl_->Ui.UiReady()) {
    if (SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_WARNING, TranslatedUtf8(kWarningCaption), text.c_str(),
                                 impl_->Ui.Handle()) != 0) {
      ShowWarningInWindowOfItsOwn(text);
    }
    return;
  }
  impl_->RunModal([&] { return DrawWarningBox(TranslatedUtf8(kWarningCaption), text); });
}

std::optional<std::string> AppWindow::AskPilotName() {
  if (!impl_->Ui.UiReady()) return std::nullopt;
  NameDialog dialog;
  UiRect toldArea;
  impl_->RunModal([&] {
    dialog.Composition = impl_->Ui.Preedit().Text;
    dialog.CompositionCursor = impl_->Ui.Preedit().Cursor;
    const bool done = DrawNameDialog(dialog, TranslatedUtf8(kNameDialogTitle), TranslatedUtf8(kNameDialogPrompt));
    if (!(dialog.TextInputArea == toldArea)) {
      toldArea = dialog.TextInputArea;
      impl_->Ui.SetTextInputArea(static_cast<int>(toldArea.X), static_cast<int>(toldArea.Y),
                                 static_cast<int>(toldArea.Width), static_cast<int>(toldArea.Height));
    }
    return done;
  });
  return Utf8ToShiftJis(dialog.Name);
}

std::optional<LeagueFields> AppWindow::AskLeagueSettings(const LeagueFields& current) {
  if (!impl_->Ui.UiReady()) return std::nullopt;
  LeagueDialog dialog;
  std::snprintf(dialog.Address, sizeof dialog.Address, "%s", current.Address.c_str());
  std::snprintf(dialog.Pilot, sizeof dialog.Pilot, "%s", ShiftJisToUtf8(current.PilotSjis).c_str());
  dialog.Contest = current.Contest;
  DialogEnd end = DialogEnd::Open;
  impl_->RunModal([&] {
    end = DrawLeagueDialog(dialog, current.ContestNames, current.ShownToken);
    return end != DialogEnd::Open;
  });
  if (end != DialogEnd::Ok) return std::nullopt;
  LeagueFields answer = current;
  answer.Address = dialog.Address;
  answer.Contest = dialog.Contest;
  answer.PilotSjis = Utf8ToShiftJis(dialog.Pilot);
  return answer;
}

}  // namespace platform
