#include "config_window.h"

#include <SDL.h>
#include <SDL_opengl.h>
#include <backends/imgui_impl_opengl2.h>
#include <backends/imgui_impl_sdl.h>
#include <imgui.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "platform/gl/font_match.h"

namespace config {
namespace {

constexpr float kUiFontSize = 15.0f;  // px

// Japanese glyphs come from the face fontconfig picks for ":lang=ja"; without one the
// UI still works, showing ImGui's own font.
void LoadJapaneseFont(ImGuiIO& io) {
  const std::optional<platform::gl::FontFace> face = platform::gl::FindJapaneseFont(false);
  ImFontConfig fontConfig;
  if (face) fontConfig.FontNo = face->Index;
  if (!face || face->File.empty() ||
      !io.Fonts->AddFontFromFileTTF(face->File.c_str(), kUiFontSize, &fontConfig, io.Fonts->GetGlyphRangesJapanese())) {
    io.Fonts->AddFontDefault();
  }
}

}  // namespace

ConfigWindow::~ConfigWindow() {
  if (uiReady_) {
    ImGui_ImplOpenGL2_Shutdown();
    ImGui_ImplSDL2_Shutdown();
    ImGui::DestroyContext();
  }
  if (gl_) SDL_GL_DeleteContext(gl_);
  if (window_) SDL_DestroyWindow(window_);
  if (sdlReady_) SDL_Quit();
}

bool ConfigWindow::Open(const char* title, int width, int height, std::string& error) {
  if (SDL_Init(SDL_INIT_VIDEO) != 0) {
    error = std::string("cannot start the window system: ") + SDL_GetError();
    return false;
  }
  sdlReady_ = true;
  // With no display SDL falls back to its offscreen driver; a configurator nobody can
  // see must say so instead.
  const char* driver = SDL_GetCurrentVideoDriver();
  const char* wanted = std::getenv("SDL_VIDEODRIVER");
  if (driver && std::strcmp(driver, "offscreen") == 0 && !(wanted && std::strcmp(wanted, "offscreen") == 0)) {
    error = "no display is available (is DISPLAY or WAYLAND_DISPLAY set?)";
    return false;
  }
  SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
  SDL_Rect usable;
  if (SDL_GetDisplayUsableBounds(0, &usable) == 0 && usable.w > 0 && usable.h > 0) {
    width = std::min(width, usable.w);
    height = std::min(height, usable.h);
  }
  window_ = SDL_CreateWindow(title, SDL_WINDOWPOS_UNDEFINED, SDL_WINDOWPOS_UNDEFINED, width, height,
                             SDL_WINDOW_OPENGL | SDL_WINDOW_RESIZABLE);
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
  SDL_GL_SetSwapInterval(1);

  IMGUI_CHECKVERSION();
  ImGui::CreateContext();
  ImGuiIO& io = ImGui::GetIO();
  io.IniFilename = nullptr;  // nothing but temp.txt is written into the player's folder
  ImGui::StyleColorsLight();
  ImGuiStyle& style = ImGui::GetStyle();  // compact rows: the design has 49 lines of values
  style.FramePadding.y = 2;
  style.ItemSpacing.y = 3;
  style.CellPadding.y = 1;
  LoadJapaneseFont(io);
  ImGui_ImplSDL2_InitForOpenGL(window_, gl_);
  ImGui_ImplOpenGL2_Init();
  uiReady_ = true;
  return true;
}

ConfigWindow::Input ConfigWindow::PumpEvents(int timeoutMs) {
  Input input;
  SDL_Event event;
  bool got = timeoutMs > 0 ? SDL_WaitEventTimeout(&event, timeoutMs) : SDL_PollEvent(&event);
  while (got) {
    ++input.Events;
    ImGui_ImplSDL2_ProcessEvent(&event);
    if (event.type == SDL_QUIT ||
        (event.type == SDL_WINDOWEVENT && event.window.event == SDL_WINDOWEVENT_CLOSE)) {
      input.CloseRequested = true;
    }
    if (event.type == SDL_KEYDOWN && !event.key.repeat && (event.key.keysym.mod & KMOD_CTRL)) {
      input.SaveKey = input.SaveKey || event.key.keysym.sym == SDLK_s;
      input.OpenKey = input.OpenKey || event.key.keysym.sym == SDLK_o;
    }
    got = SDL_PollEvent(&event);
  }
  return input;
}

void ConfigWindow::BeginFrame() {
  ImGui_ImplOpenGL2_NewFrame();
  ImGui_ImplSDL2_NewFrame();
  ImGui::NewFrame();
}

void ConfigWindow::EndFrame() {
  ImGui::Render();
  int width = 0, height = 0;
  SDL_GL_GetDrawableSize(window_, &width, &height);
  glViewport(0, 0, width, height);
  glClearColor(0.94f, 0.94f, 0.94f, 1.0f);
  glClear(GL_COLOR_BUFFER_BIT);
  ImGui_ImplOpenGL2_RenderDrawData(ImGui::GetDrawData());
  SDL_GL_SwapWindow(window_);
}

}  // namespace config
