#include "platform/sdl/ui_probe.h"

#include <imgui.h>
#include <imgui_internal.h>  // the last item's id, flags and rectangle; the open windows
#include <sys/stat.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <utility>

#include "platform/ui_probe.h"

namespace platform {
namespace ui_probe_detail {
bool recording = false;
}  // namespace ui_probe_detail

namespace {

UiProbe* g_probe = nullptr;  // the one that records
std::function<std::string()> g_stateSource;

// Names and values stay one field of one line.
void AppendField(std::string& line, const char* text) {
  line += '\t';
  for (const char* c = text; *c; ++c) line += (*c == '\t' || *c == '\n' || *c == '\r') ? ' ' : *c;
}

void AppendNumber(std::string& line, float value) {
  line += '\t';
  line += std::to_string(std::lround(value));
}

void AppendRect(std::string& line, const ImRect& rect) {
  AppendNumber(line, rect.Min.x);
  AppendNumber(line, rect.Min.y);
  AppendNumber(line, rect.GetWidth());
  AppendNumber(line, rect.GetHeight());
}

// The text a field holds while it is being edited (the caller's buffer may lag behind).
std::string EditedText(ImGuiID id) {
  const ImGuiInputTextState* state = ImGui::GetInputTextState(id);
  if (!state || GImGui->ActiveId != id) return {};
  std::string text(static_cast<size_t>(state->CurLenW) * 4 + 1, '\0');
  const int bytes = ImTextStrToUtf8(text.data(), static_cast<int>(text.size()), state->TextW.Data,
                                    state->TextW.Data + state->CurLenW);
  text.resize(static_cast<size_t>(bytes));
  return text;
}

const char* WindowKind(const ImGuiWindow& window) {
  if (window.Flags & ImGuiWindowFlags_Modal) return "modal";
  if (window.Flags & ImGuiWindowFlags_Tooltip) return "tooltip";
  if (window.Flags & ImGuiWindowFlags_ChildMenu || std::strncmp(window.Name, "##Menu_", 7) == 0) return "menu";
  if (window.Flags & ImGuiWindowFlags_Popup) return "popup";
  return "window";
}

// A window's title as shown (what precedes "##"), or its whole name where it shows none.
std::string WindowTitle(const ImGuiWindow& window) {
  const char* hidden = std::strstr(window.Name, "##");
  if (!hidden || hidden == window.Name) return window.Name;
  return std::string(window.Name, static_cast<size_t>(hidden - window.Name));
}

}  // namespace

namespace ui_probe_detail {

void NameLastItem(const char* name, const char* value) {
  if (g_probe && GImGui && GImGui->WithinFrameScope) g_probe->AddItem(name, value);
}

void NameCurrentWindow(const char* name) {
  if (g_probe && GImGui && GImGui->WithinFrameScope) g_probe->NameWindow(name);
}

}  // namespace ui_probe_detail

void SetUiStateSource(std::function<std::string()> source) { g_stateSource = std::move(source); }

UiProbe::UiProbe(std::string path) : path_(std::move(path)) {
  if (g_probe || path_.empty()) return;
  g_probe = this;
  recording_ = true;
  ui_probe_detail::recording = true;
}

UiProbe::~UiProbe() {
  if (!recording_) return;
  g_probe = nullptr;
  ui_probe_detail::recording = false;
}

std::string UiProbe::PathFromEnvironment(const std::string& program) {
  const char* value = std::getenv("VELKARO_UI_PROBE");
  if (!value || !*value) return {};
  std::string path = value;
  struct stat info {};
  const bool folder = path.back() == '/' || (stat(value, &info) == 0 && S_ISDIR(info.st_mode));
  if (!folder) return path;
  if (path.back() != '/') path += '/';
  return path + program + ".txt";
}

bool UiProbe::Recording() const { return recording_; }

void UiProbe::BeginFrame() {
  items_.clear();
  windowNames_.clear();
}

void UiProbe::AddItem(const char* name, const char* value) {
  const ImGuiContext& g = *GImGui;
  ImRect rect = g.LastItemData.Rect;
  if (g.CurrentWindow) rect.ClipWith(g.CurrentWindow->ClipRect);
  if (rect.GetWidth() < 1 || rect.GetHeight() < 1) return;  // out of sight
  const ImGuiID id = g.LastItemData.ID;
  std::string flags;
  const auto flag = [&flags](const char* word) { flags += flags.empty() ? word : std::string(",") + word; };
  if (id != 0 && g.ActiveId == id) flag("active");
  if (ImGui::IsItemHovered()) flag("hovered");
  if (g.LastItemData.InFlags & ImGuiItemFlags_Disabled) flag("disabled");
  std::string line = "widget";
  AppendField(line, name);
  AppendRect(line, rect);
  AppendField(line, flags.empty() ? "-" : flags.c_str());
  const std::string edited = EditedText(id);
  AppendField(line, !edited.empty() || !value ? edited.c_str() : value);
  items_ += line + '\n';
}

void UiProbe::NameWindow(const char* name) {
  if (GImGui->CurrentWindow) windowNames_[GImGui->CurrentWindow->ID] = name;
}

bool UiProbe::EndFrame() {
  if (!recording_ || !GImGui) return true;
  const ImGuiContext& g = *GImGui;
  std::string text = "frame\t" + std::to_string(++frames_) + '\n';
  text += "state";
  AppendField(text, g_stateSource ? g_stateSource().c_str() : "");
  text += "\ndisplay";
  AppendNumber(text, g.IO.DisplaySize.x);
  AppendNumber(text, g.IO.DisplaySize.y);
  text += '\n';
  if (ImGui::IsMousePosValid(&g.IO.MousePos)) {
    text += "mouse";
    AppendNumber(text, g.IO.MousePos.x);
    AppendNumber(text, g.IO.MousePos.y);
    text += '\n';
  }
  for (const ImGuiWindow* window : g.Windows) {
    if (!window->Active || window->Hidden) continue;
    const auto named = windowNames_.find(window->ID);
    // Child regions are part of their window, unless the program named them.
    const bool child = (window->Flags & ImGuiWindowFlags_ChildWindow) && !(window->Flags & ImGuiWindowFlags_Popup);
    if (child && named == windowNames_.end()) continue;
    text += "window";
    AppendField(text, named != windowNames_.end() ? named->second.c_str() : WindowTitle(*window).c_str());
    AppendRect(text, window->Rect());
    AppendField(text, WindowKind(*window));
    text += '\n';
  }
  text += items_;

  const std::string temporary = path_ + ".tmp";
  std::FILE* file = std::fopen(temporary.c_str(), "wb");
  if (!file) return false;
  const bool written = std::fwrite(text.data(), 1, text.size(), file) == text.size();
  const bool closed = std::fclose(file) == 0;
  if (!written || !closed || std::rename(temporary.c_str(), path_.c_str()) != 0) {
    std::remove(temporary.c_str());
    return false;
  }
  return true;
}

}  // namespace platform
