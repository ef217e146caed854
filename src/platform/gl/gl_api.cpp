#include "platform/gl/gl_api.h"

#include <cstdio>
#include <cstring>

namespace platform::gl {
namespace {

bool HasExtension(const char* name) {
  // The compatibility profile still answers the single extensions string.
  const char* all = reinterpret_cast<const char*>(glGetString(GL_EXTENSIONS));
  if (all == nullptr) return false;
  const size_t length = std::strlen(name);
  for (const char* p = std::strstr(all, name); p != nullptr; p = std::strstr(p + length, name)) {
    const bool starts = p == all || p[-1] == ' ';
    const bool ends = p[length] == '\0' || p[length] == ' ';
    if (starts && ends) return true;
  }
  return false;
}

template <typename Fn>
void Load(ProcLoader loader, const char* name, Fn& fn) {
  fn = reinterpret_cast<Fn>(loader(name));
}

}  // namespace

bool LoadApi(ProcLoader loader, Api& api) {
  if (loader == nullptr) return false;
  const char* version = reinterpret_cast<const char*>(glGetString(GL_VERSION));
  int major = 0, minor = 0;
  // Desktop GL starts with the number; OpenGL ES with "OpenGL ES".
  if (version == nullptr || std::sscanf(version, "%d.%d", &major, &minor) != 2) return false;
  const int number = major * 10 + minor;
  if (number < 13) return false;
  if (number >= 32) {
    GLint profile = 0;
    glGetIntegerv(GL_CONTEXT_PROFILE_MASK, &profile);
    if (profile & GL_CONTEXT_CORE_PROFILE_BIT) return false;  // no fixed-function pipeline
  }

  api = Api{};
  Load(loader, "glActiveTexture", api.ActiveTexture);
  Load(loader, "glClientActiveTexture", api.ClientActiveTexture);
  Load(loader, "glDrawRangeElements", api.DrawRangeElements);
  if (!api.ActiveTexture || !api.ClientActiveTexture || !api.DrawRangeElements) return false;
  if (number >= 45 || HasExtension("GL_ARB_clip_control")) Load(loader, "glClipControl", api.ClipControl);
  if (number >= 32 || HasExtension("GL_ARB_provoking_vertex")) Load(loader, "glProvokingVertex", api.ProvokingVertex);
  api.BgraVertexColors = number >= 32 || HasExtension("GL_ARB_vertex_array_bgra");

  glGetIntegerv(GL_MAX_TEXTURE_UNITS, &api.TextureUnits);
  glGetIntegerv(GL_MAX_TEXTURE_SIZE, &api.MaxTextureSize);
  return true;
}

}  // namespace platform::gl
