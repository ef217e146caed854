#include "platform/sdl/app_window.h"

#include <SDL.h>
#include <SDL_opengl.h>
#include <backends/imgui_impl_opengl2.h>
#include <backends/imgui_impl_sdl.h>
#include <imgui.h>

#include <cstdio>
#include <cstring>
#include <map>
#include <vector>

#include "platform/gl/font_match.h"
#include "platform/sdl/gl_context_attributes.h"
#include "platform/shift_jis.h"

namespace platform {
namespace {

constexpr int kMinWindowWidth = 320;   // px; a missing boot file still gives a usable window
constexpr int kMinWindowHeight = 240;  // px
constexpr float kUiFontSize = 16.0f;   // px
constexpr Uint32 kModalPollMs = 15;    // a modal dialog redraws about 60 times a second
constexpr size_t kNameBufferBytes = 1024;  // UTF-8 of a 255-byte Shift-JIS name fits

// "警告", "OK" and the name dialog's texts, as UTF-8 for the UI.
constexpr const char* kWarningCaption = "警告";
constexpr const char* kNameDialogTitle = "ランキング登録";
constexpr const char* kNameDialogPrompt = "名前 (全角6文字分まで)";

}  // namespace

struct AppWindow::Impl {
  SDL_Window* Window = nullptr;
  SDL_GLContext Gl = nullptr;
  bool UiReady = false;
  bool Quitting = false;  // a close request that arrived while a dialog was open
  std::vector<MenuPopup> Menu;
  std::map<int, bool> Checks;
  std::deque<WindowMessage> Pending;
  GLuint Snapshot = 0;
  int SnapshotWidth = 0, SnapshotHeight = 0;

  void DrawMenuBar(bool enabled) {
    if (!ImGui::BeginMainMenuBar()) return;
    if (!enabled) ImGui::BeginDisabled();
    for (const MenuPopup& popup : Menu) {
      if (!ImGui::BeginMenu(popup.Text.c_str())) continue;
      for (const MenuItem& item : popup.Items) {
        if (item.CommandId == 0) {
          ImGui::Separator();
          continue;
        }
        const bool checked = Checks[item.CommandId];
        if (ImGui::MenuItem(item.Text.c_str(), nullptr, checked, item.Enabled)) Pending.push_back({WindowMessage::Command, item.CommandId});
      }
      ImGui::EndMenu();
    }
    if (!enabled) ImGui::EndDisabled();
    ImGui::EndMainMenuBar();
  }

  void BeginUiFrame() {
    ImGui_ImplOpenGL2_NewFrame();
    ImGui_ImplSDL2_NewFrame();
    ImGui::NewFrame();
  }

  void EndUiFrame() {
    ImGui::Render();
    glPushAttrib(GL_ENABLE_BIT | GL_TEXTURE_BIT);
    glPushClientAttrib(GL_CLIENT_VERTEX_ARRAY_BIT);
    UseTextureUnitZeroOnly();
    ImGui_ImplOpenGL2_RenderDrawData(ImGui::GetDrawData());
    glPopClientAttrib();
    glPopAttrib();
    SDL_GL_SwapWindow(Window);
  }

  // The game's frame may leave another texture unit active or enabled, and vertex
  // arrays pointing into its own memory; the menu bar and the dialogs draw with unit 0
  // alone and their own arrays. Callers save and restore the enables and arrays.
  void UseTextureUnitZeroOnly() {
    GLint units = 1;
    glGetIntegerv(GL_MAX_TEXTURE_UNITS, &units);
    for (GLint unit = units - 1; unit >= 0; --unit) {
      glActiveTexture(GL_TEXTURE0 + unit);  // OpenGL 1.3, exported by the system library
      glClientActiveTexture(GL_TEXTURE0 + unit);
      if (unit > 0) glDisable(GL_TEXTURE_2D);
      glDisableClientState(GL_TEXTURE_COORD_ARRAY);
    }
    glDisableClientState(GL_NORMAL_ARRAY);
    glDisableClientState(GL_COLOR_ARRAY);
  }

  // Keeps what the window shows now, to stand behind a modal dialog.
  void TakeSnapshot() {
    SDL_GL_GetDrawableSize(Window, &SnapshotWidth, &SnapshotHeight);
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
  void RunModal(const std::function<bool()>& frame) {
    TakeSnapshot();
    for (bool done = false; !done;) {
      SDL_Event event;
      if (SDL_WaitEventTimeout(&event, kModalPollMs)) {
        do {
          ImGui_ImplSDL2_ProcessEvent(&event);
          if (event.type == SDL_QUIT) Quitting = true;
        } while (SDL_PollEvent(&event));
      }
      if (Quitting) break;  // closing the window (or a SIGTERM) ends the dialog too
      BeginUiFrame();
      DrawSnapshot();
      DrawMenuBar(false);
      done = frame();
      EndUiFrame();
    }
  }
};

AppWindow::AppWindow() : impl_(std::make_unique<Impl>()) {}

AppWindow::~AppWindow() {
  if (impl_->UiReady) {
    ImGui_ImplOpenGL2_Shutdown();
    ImGui_ImplSDL2_Shutdown();
    ImGui::DestroyContext();
  }
  if (impl_->Gl) SDL_GL_DeleteContext(impl_->Gl);
  if (impl_->Window) SDL_DestroyWindow(impl_->Window);
  SDL_Quit();
}

bool AppWindow::Open(const WindowConfig& config, const std::vector<MenuPopup>& menu, std::string& error) {
  impl_->Menu = menu;
  if (SDL_Init(SDL_INIT_VIDEO) != 0) {
    error = std::string("cannot start the window system: ") + SDL_GetError();
    return false;
  }
  const char* driver = SDL_GetCurrentVideoDriver();
  const char* wanted = std::getenv("SDL_VIDEODRIVER");
  if (driver && std::strcmp(driver, "offscreen") == 0 && !(wanted && std::strcmp(wanted, "offscreen") == 0)) {
    error = "no display is available (is DISPLAY or WAYLAND_DISPLAY set?)";
    return false;
  }
  RequestGameGlSurface();
  const int width = std::max(config.Width, kMinWindowWidth);
  const int height = std::max(config.Height, kMinWindowHeight);
  Uint32 flags = SDL_WINDOW_OPENGL;
  if (config.FullScreen) flags |= SDL_WINDOW_FULLSCREEN;
  impl_->Window = SDL_CreateWindow(config.Title, SDL_WINDOWPOS_UNDEFINED, SDL_WINDOWPOS_UNDEFINED, width, height, flags);
  if (!impl_->Window) {
    error = std::string("cannot create the window: ") + SDL_GetError();
    return false;
  }
  impl_->Gl = SDL_GL_CreateContext(impl_->Window);
  if (!impl_->Gl) {
    error = std::string("cannot create an OpenGL context: ") + SDL_GetError();
    return false;
  }
  SDL_GL_MakeCurrent(impl_->Window, impl_->Gl);
  SDL_GL_SetSwapInterval(0);  // the game paces itself

  IMGUI_CHECKVERSION();
  ImGui::CreateContext();
  ImGuiIO& io = ImGui::GetIO();
  io.IniFilename = nullptr;  // nothing is written into the player's folder
  ImGui::StyleColorsLight();
  const std::optional<gl::FontFace> face = gl::FindJapaneseFont(false);
  ImFontConfig fontConfig;
  if (face) fontConfig.FontNo = face->Index;
  if (!face || face->File.empty() ||
      !io.Fonts->AddFontFromFileTTF(face->File.c_str(), kUiFontSize, &fontConfig, io.Fonts->GetGlyphRangesJapanese())) {
    io.Fonts->AddFontDefault();
  }
  ImGui_ImplSDL2_InitForOpenGL(impl_->Window, impl_->Gl);
  ImGui_ImplOpenGL2_Init();
  impl_->UiReady = true;
  // The bar's height before its first frame: the font is built only then, so this is
  // worked out from the font size and the style rather than asked of the UI.
  menuBarHeight_ = static_cast<int>(kUiFontSize + 2 * ImGui::GetStyle().FramePadding.y);
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
  SDL_Event event;
  if (!SDL_PollEvent(&event)) return false;
  if (impl_->UiReady) ImGui_ImplSDL2_ProcessEvent(&event);
  const bool close = event.type == SDL_QUIT ||
                     (event.type == SDL_WINDOWEVENT && event.window.event == SDL_WINDOWEVENT_CLOSE);
  message = {close ? WindowMessage::Close : WindowMessage::Command, 0};
  return true;
}

void AppWindow::PresentFrame() {
  impl_->BeginUiFrame();
  impl_->DrawMenuBar(true);
  impl_->EndUiFrame();
}

int AppWindow::PictureWidth() const {
  int w = 0, h = 0;
  SDL_GL_GetDrawableSize(impl_->Window, &w, &h);
  return w;
}

int AppWindow::PictureHeight() const {
  int w = 0, h = 0;
  SDL_GL_GetDrawableSize(impl_->Window, &w, &h);
  return std::max(1, h - menuBarHeight_);
}

bool AppWindow::IsChecked(int commandId) { return impl_->Checks[commandId]; }

void AppWindow::SetChecked(int commandId, bool checked) { impl_->Checks[commandId] = checked; }

void AppWindow::ShowWarning(const std::string& sjisText) {
  const std::string text = ShiftJisToUtf8(sjisText);
  std::fprintf(stderr, "%s\n", text.c_str());
  if (!impl_->UiReady) {
    SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_WARNING, kWarningCaption, text.c_str(), impl_->Window);
    return;
  }
  impl_->RunModal([&] {
    ImGui::OpenPopup(kWarningCaption);
    bool done = false;
    const ImVec2 centre = ImGui::GetMainViewport()->GetCenter();
    ImGui::SetNextWindowPos(centre, ImGuiCond_Always, ImVec2(0.5f, 0.5f));
    if (ImGui::BeginPopupModal(kWarningCaption, nullptr, ImGuiWindowFlags_AlwaysAutoResize)) {
      ImGui::TextUnformatted(text.c_str());
      ImGui::Spacing();
      done = ImGui::Button("OK", ImVec2(80, 0)) || ImGui::IsKeyPressed(ImGui::GetKeyIndex(ImGuiKey_Enter));
      ImGui::SameLine();
      done = ImGui::Button("Cancel", ImVec2(80, 0)) || ImGui::IsKeyPressed(ImGui::GetKeyIndex(ImGuiKey_Escape)) || done;
      if (done) ImGui::CloseCurrentPopup();
      ImGui::EndPopup();
    }
    return done;
  });
}

std::optional<std::string> AppWindow::AskPilotName() {
  if (!impl_->UiReady) return std::nullopt;
  char name[kNameBufferBytes] = {};
  bool focusOnce = true;
  impl_->RunModal([&] {
    ImGui::OpenPopup(kNameDialogTitle);
    bool done = false;
    const ImVec2 centre = ImGui::GetMainViewport()->GetCenter();
    ImGui::SetNextWindowPos(centre, ImGuiCond_Always, ImVec2(0.5f, 0.5f));
    // No close box: the dialog is left only with OK.
    if (ImGui::BeginPopupModal(kNameDialogTitle, nullptr, ImGuiWindowFlags_AlwaysAutoResize)) {
      ImGui::TextUnformatted(kNameDialogPrompt);
      if (focusOnce) {
        ImGui::SetKeyboardFocusHere();
        focusOnce = false;
      }
      ImGui::SetNextItemWidth(220);
      const bool entered = ImGui::InputText("##name", name, sizeof name, ImGuiInputTextFlags_EnterReturnsTrue);
      ImGui::SameLine();
      done = ImGui::Button("OK", ImVec2(60, 0)) || entered;
      if (done) ImGui::CloseCurrentPopup();
      ImGui::EndPopup();
    }
    return done;
  });
  return Utf8ToShiftJis(name);
}

}  // namespace platform
