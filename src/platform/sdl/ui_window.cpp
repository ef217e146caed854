#include "platform/sdl/ui_window.h"

#include <SDL.h>
#include <SDL_opengl.h>
#include <backends/imgui_impl_opengl2.h>
#include <backends/imgui_impl_sdl.h>
#include <imgui.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <optional>

#include "platform/gl/font_match.h"
#include "platform/sdl/gl_context_attributes.h"
#include "platform/sdl/ui_glyph_ranges.h"
#include "platform/sdl/ui_probe.h"

namespace platform {
namespace {

// Japanese glyphs come from the face fontconfig picks for ":lang=ja"; without one the
// UI still works, with Dear ImGui's own font.
void LoadJapaneseFont(ImGuiIO& io, float size) {
  const std::optional<gl::FontFace> face = gl::FindJapaneseFont(false);
  ImFontConfig fontConfig;
  if (face) fontConfig.FontNo = face->Index;
  if (!face || face->File.empty() ||
      !io.Fonts->AddFontFromFileTTF(face->File.c_str(), size, &fontConfig, UiGlyphRanges().data())) {
    io.Fonts->AddFontDefault();
  }
}

// SDL falls back to its offscreen driver when there is no display; a window nobody
// can see must say so instead, unless that driver was asked for.
bool OnlyOffscreen() {
  const char* driver = SDL_GetCurrentVideoDriver();
  const char* wanted = std::getenv("SDL_VIDEODRIVER");
  return driver && std::strcmp(driver, "offscreen") == 0 && !(wanted && std::strcmp(wanted, "offscreen") == 0);
}

}  // namespace

UiWindow::UiWindow() = default;

UiWindow::~UiWindow() {
  probe_.reset();
  if (uiReady_) {
    ImGui_ImplOpenGL2_Shutdown();
    ImGui_ImplSDL2_Shutdown();
    ImGui::DestroyContext();
  }
  if (gl_) SDL_GL_DeleteContext(gl_);
  if (window_) SDL_DestroyWindow(window_);
  if (sdlReady_) SDL_Quit();
}

bool UiWindow::Open(const UiWindowOptions& options, std::string& error) {
  if (SDL_Init(SDL_INIT_VIDEO) != 0) {
    error = std::string("cannot start the window system: ") + SDL_GetError();
    return false;
  }
  sdlReady_ = true;
  if (OnlyOffscreen()) {
    error = "no display is available (is DISPLAY or WAYLAND_DISPLAY set?)";
    return false;
  }
  if (options.GameSurface) {
    RequestGameGlSurface();
  } else {
    SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
  }
  int width = options.Width, height = options.Height;
  int x = SDL_WINDOWPOS_UNDEFINED, y = SDL_WINDOWPOS_UNDEFINED;
  Uint32 flags = SDL_WINDOW_OPENGL;
  if (options.FullScreen) {
    flags |= SDL_WINDOW_FULLSCREEN | SDL_WINDOW_BORDERLESS;
    // The window starts as large as the display mode the switch will pick (the size
    // asked where the display has that mode), at the display's corner: where no
    // window manager carries out the full-screen request (a bare X server), the
    // window still covers the screen, and is as large as SDL takes it to be.
    const SDL_DisplayMode wanted{0, width, height, 0, nullptr};
    SDL_DisplayMode mode;
    if (SDL_GetClosestDisplayMode(0, &wanted, &mode) || SDL_GetDesktopDisplayMode(0, &mode) == 0) {
      width = mode.w;
      height = mode.h;
    }
    SDL_Rect bounds;
    if (SDL_GetDisplayBounds(0, &bounds) == 0) x = bounds.x, y = bounds.y;
  }
  if (options.Resizable) {
    flags |= SDL_WINDOW_RESIZABLE;
    SDL_Rect usable;
    if (options.FitToDisplay && SDL_GetDisplayUsableBounds(0, &usable) == 0 && usable.w > 0 && usable.h > 0) {
      width = std::min(width, usable.w);
      height = std::min(height, usable.h);
    }
  }
  window_ = SDL_CreateWindow(options.Title, x, y, width, height, flags);
  // The usable area leaves out the desktop's panels but not this window's own frame: a
  // window as high as the area would have its bottom below the screen.
  fitFramePending_ = options.Resizable && options.FitToDisplay && !options.FullScreen;
  if (!window_) {
    error = std::string("cannot create the window: ") + SDL_GetError();
    return false;
  }
  gl_ = SDL_GL_CreateContext(window_);
  if (!gl_) {
    error = std::string("cannot create an OpenGL context: ") + SDL_GetError();
    return false;
  }
  SDL_GL_MakeCurrent(window_, gl_);
  SDL_GL_SetSwapInterval(options.WaitForVsync ? 1 : 0);

  IMGUI_CHECKVERSION();
  ImGui::CreateContext();
  ImGuiIO& io = ImGui::GetIO();
  io.IniFilename = nullptr;  // nothing is written into the player's folder
  ImGui::StyleColorsLight();
  LoadJapaneseFont(io, options.FontSize);
  ImGui_ImplSDL2_InitForOpenGL(window_, gl_);
  ImGui_ImplOpenGL2_Init();
  uiReady_ = true;
  if (std::string probePath = UiProbe::PathFromEnvironment(options.Title); !probePath.empty()) {
    probe_ = std::make_unique<UiProbe>(std::move(probePath));
  }
  return true;
}

int UiWindow::DrawableWidth() const {
  int w = 0, h = 0;
  if (window_) SDL_GL_GetDrawableSize(window_, &w, &h);
  return w;
}

int UiWindow::DrawableHeight() const {
  int w = 0, h = 0;
  if (window_) SDL_GL_GetDrawableSize(window_, &w, &h);
  return h;
}

void UiWindow::SetTitle(const std::string& utf8Title) {
  if (window_) SDL_SetWindowTitle(window_, utf8Title.c_str());
}

bool UiWindow::FullScreen() const { return window_ && (SDL_GetWindowFlags(window_) & SDL_WINDOW_FULLSCREEN) != 0; }

void UiWindow::SetFullScreen(bool fullScreen, int width, int height) {
  if (!window_ || fullScreen == FullScreen()) return;
  if (!fullScreen) {
    SDL_SetWindowFullscreen(window_, 0);
    SDL_SetWindowBordered(window_, SDL_TRUE);
    SDL_SetWindowSize(window_, windowed_.Width, windowed_.Height);
    SDL_SetWindowPosition(window_, windowed_.X, windowed_.Y);
    return;
  }
  SDL_GetWindowPosition(window_, &windowed_.X, &windowed_.Y);
  SDL_GetWindowSize(window_, &windowed_.Width, &windowed_.Height);
  const int display = std::max(0, SDL_GetWindowDisplayIndex(window_));
  const SDL_DisplayMode wanted{0, width, height, 0, nullptr};
  SDL_DisplayMode mode;
  const bool haveMode =
      SDL_GetClosestDisplayMode(display, &wanted, &mode) || SDL_GetDesktopDisplayMode(display, &mode) == 0;
  if (haveMode) SDL_SetWindowDisplayMode(window_, &mode);
  // Where no window manager carries out the request (a bare X server), the window
  // still covers the display from its corner, as large as the mode.
  SDL_SetWindowBordered(window_, SDL_FALSE);
  SDL_Rect bounds;
  if (SDL_GetDisplayBounds(display, &bounds) == 0) SDL_SetWindowPosition(window_, bounds.x, bounds.y);
  if (haveMode) SDL_SetWindowSize(window_, mode.w, mode.h);
  SDL_SetWindowFullscreen(window_, SDL_WINDOW_FULLSCREEN);
}

void UiWindow::SetTextInputArea(int x, int y, int width, int height) {
  SDL_Rect area{x, y, width, height};
  SDL_SetTextInputRect(&area);
}

void UiWindow::FitFrameIntoUsableArea() {
  int top = 0, left = 0, bottom = 0, right = 0;  // px
  if (SDL_GetWindowBordersSize(window_, &top, &left, &bottom, &right) != 0) {
    fitFramePending_ = false;  // this system cannot tell
    return;
  }
  if (top + left + bottom + right == 0) return;  // not known yet
  fitFramePending_ = false;
  SDL_Rect usable;
  if (SDL_GetDisplayUsableBounds(SDL_GetWindowDisplayIndex(window_), &usable) != 0) return;
  int x = 0, y = 0, width = 0, height = 0;  // px, of the window's inside
  SDL_GetWindowPosition(window_, &x, &y);
  SDL_GetWindowSize(window_, &width, &height);
  // Only the height: a side border past the screen's edge hides nothing, while a bottom
  // past it hides the last rows. The window keeps its width and its layout.
  const int fittedHeight = std::min(height, usable.h - top - bottom);
  if (fittedHeight <= 0) return;
  const int fittedY = std::clamp(y, usable.y + top, usable.y + usable.h - bottom - fittedHeight);
  if (fittedHeight != height) SDL_SetWindowSize(window_, width, fittedHeight);
  if (fittedY != y) SDL_SetWindowPosition(window_, x, fittedY);
}

bool UiWindow::Deliver(const SDL_Event& event) {
  if (fitFramePending_ && event.type == SDL_WINDOWEVENT) FitFrameIntoUsableArea();
  if (uiReady_) {
    ImGui_ImplSDL2_ProcessEvent(&event);
    // The backend takes Ctrl, Shift and Alt from SDL's modifier state, which is that of
    // the last event read from the server. Key changes reach the UI a frame each, so
    // the UI may lag behind what was read: a Ctrl pressed after some typing is then
    // already down while the typed keys reach the UI, which drops their characters as
    // Ctrl chords. Each key event carries the modifiers it was typed with.
    if (event.type == SDL_KEYDOWN || event.type == SDL_KEYUP) {
      ImGuiIO& io = ImGui::GetIO();
      const Uint16 mod = event.key.keysym.mod;
      io.KeyCtrl = (mod & KMOD_CTRL) != 0;
      io.KeyShift = (mod & KMOD_SHIFT) != 0;
      io.KeyAlt = (mod & KMOD_ALT) != 0;
      io.KeySuper = (mod & KMOD_GUI) != 0;
    }
  }
  if (event.type == SDL_TEXTEDITING) preedit_ = {event.edit.text, event.edit.start};
  if (event.type == SDL_TEXTINPUT) preedit_ = {};
  return event.type == SDL_QUIT || (event.type == SDL_WINDOWEVENT && event.window.event == SDL_WINDOWEVENT_CLOSE);
}

UiWindow::Input UiWindow::PumpEvents(int timeoutMs) {
  Input input;
  if (timeoutMs > 0 && !SDL_WaitEventTimeout(nullptr, timeoutMs)) return input;  // waits, takes nothing
  SDL_PumpEvents();
  bool keyChanged = false;
  SDL_Event event;
  while (SDL_PeepEvents(&event, 1, SDL_PEEKEVENT, SDL_FIRSTEVENT, SDL_LASTEVENT) == 1) {
    // The UI reads key states once a frame: a press and a release in the same frame
    // would cancel out unseen (quick Backspaces, Ctrl+A), so each key change gets a
    // frame of its own.
    const bool keyEvent = event.type == SDL_KEYDOWN || event.type == SDL_KEYUP;
    if (keyEvent && keyChanged) break;
    keyChanged = keyChanged || keyEvent;
    SDL_PeepEvents(&event, 1, SDL_GETEVENT, SDL_FIRSTEVENT, SDL_LASTEVENT);
    ++input.Events;
    if (Deliver(event)) input.CloseRequested = true;
    if (event.type != SDL_KEYDOWN) continue;
    const SDL_Keycode key = event.key.keysym.sym;
    if (!event.key.repeat && (event.key.keysym.mod & KMOD_CTRL) && key >= 'a' && key <= 'z') {
      // Shift is taken from the key's own event: the modifier state SDL keeps is that
      // of the last event read from the server, which may already be the Shift's release.
      const bool shift = (event.key.keysym.mod & KMOD_SHIFT) != 0;
      input.CtrlKeys.push_back(static_cast<char>(shift ? key - 'a' + 'A' : key));
    }
  }
  return input;
}

void UiWindow::BeginUiFrame() {
  ImGui_ImplOpenGL2_NewFrame();
  ImGui_ImplSDL2_NewFrame();
  // The UI's backend takes the pointer from the X server's global state, which SDL
  // refreshes only on raw motion events; servers that send none for pointers moved
  // by XTEST (Xvfb) leave it where the pointer started. SDL's window-relative
  // position, kept from the window's own motion events, is right while the pointer
  // is over the window.
  int x = 0, y = 0;
  SDL_GetMouseState(&x, &y);
  if (SDL_GetMouseFocus() == window_) ImGui::GetIO().MousePos = ImVec2(static_cast<float>(x), static_cast<float>(y));
  ImGui::NewFrame();
  if (probe_) probe_->BeginFrame();
}

void UiWindow::ClearTo(float red, float green, float blue) {
  glViewport(0, 0, DrawableWidth(), DrawableHeight());
  glClearColor(red, green, blue, 1.0f);
  glClear(GL_COLOR_BUFFER_BIT);
}

void UiWindow::EndUiFrame() {
  ImGui::Render();
  glPushAttrib(GL_ENABLE_BIT | GL_TEXTURE_BIT);
  glPushClientAttrib(GL_CLIENT_VERTEX_ARRAY_BIT);
  UseTextureUnitZeroOnly();
  ImGui_ImplOpenGL2_RenderDrawData(ImGui::GetDrawData());
  glPopClientAttrib();
  glPopAttrib();
  SDL_GL_SwapWindow(window_);
  if (probe_ && !probe_->EndFrame() && !probeFailed_) {
    probeFailed_ = true;
    std::fprintf(stderr, "cannot write the UI probe's file %s\n", probe_->Path().c_str());
  }
}

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

}  // namespace platform
