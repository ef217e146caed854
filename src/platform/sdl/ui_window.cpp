#include "platform/sdl/ui_window.h"

#include <SDL.h>
#include <SDL_opengl.h>
#include <backends/imgui_impl_opengl2.h>
#include <backends/imgui_impl_sdl.h>
#include <imgui.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <optional>

#include "platform/gl/font_match.h"
#include "platform/sdl/gl_context_attributes.h"

namespace platform {
namespace {

// Japanese glyphs come from the face fontconfig picks for ":lang=ja"; without one the
// UI still works, with Dear ImGui's own font.
void LoadJapaneseFont(ImGuiIO& io, float size) {
  const std::optional<gl::FontFace> face = gl::FindJapaneseFont(false);
  ImFontConfig fontConfig;
  if (face) fontConfig.FontNo = face->Index;
  if (!face || face->File.empty() ||
      !io.Fonts->AddFontFromFileTTF(face->File.c_str(), size, &fontConfig, io.Fonts->GetGlyphRangesJapanese())) {
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

UiWindow::~UiWindow() {
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
  Uint32 flags = SDL_WINDOW_OPENGL;
  if (options.FullScreen) flags |= SDL_WINDOW_FULLSCREEN;
  if (options.Resizable) {
    flags |= SDL_WINDOW_RESIZABLE;
    SDL_Rect usable;
    if (SDL_GetDisplayUsableBounds(0, &usable) == 0 && usable.w > 0 && usable.h > 0) {
      width = std::min(width, usable.w);
      height = std::min(height, usable.h);
    }
  }
  window_ = SDL_CreateWindow(options.Title, SDL_WINDOWPOS_UNDEFINED, SDL_WINDOWPOS_UNDEFINED, width, height, flags);
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

bool UiWindow::Deliver(const SDL_Event& event) {
  if (uiReady_) ImGui_ImplSDL2_ProcessEvent(&event);
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
      input.CtrlKeys.push_back(static_cast<char>(key));
    }
  }
  return input;
}

void UiWindow::BeginUiFrame() {
  ImGui_ImplOpenGL2_NewFrame();
  ImGui_ImplSDL2_NewFrame();
  ImGui::NewFrame();
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
