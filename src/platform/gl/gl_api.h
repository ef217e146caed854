#pragma once
// The OpenGL entry points the device needs beyond OpenGL 1.1 (which the system
// library exports), looked up through the context's loader, and what the context can
// do. The device draws with the compatibility profile's fixed-function pipeline.
#include <GL/gl.h>
#include <GL/glext.h>

namespace platform::gl {

// Looks up a GL function by name in the current context (SDL_GL_GetProcAddress fits).
using ProcLoader = void* (*)(const char* name);

struct Api {
  using EnumFn = void(APIENTRY*)(GLenum);
  using EnumEnumFn = void(APIENTRY*)(GLenum, GLenum);
  using DrawRangeElementsFn = void(APIENTRY*)(GLenum, GLuint, GLuint, GLsizei, GLenum, const void*);

  EnumFn ActiveTexture = nullptr;                   // glActiveTexture, 1.3
  EnumFn ClientActiveTexture = nullptr;             // glClientActiveTexture, 1.3
  DrawRangeElementsFn DrawRangeElements = nullptr;  // glDrawRangeElements, 1.2
  EnumEnumFn ClipControl = nullptr;  // glClipControl, 4.5 / ARB_clip_control; null: depth remapped instead
  EnumFn ProvokingVertex = nullptr;  // glProvokingVertex, 3.2; null: flat shading takes the last vertex

  bool BgraVertexColors = false;  // 3.2 / ARB_vertex_array_bgra: colour arrays in D3DCOLOR byte order
  int TextureUnits = 0;           // fixed-function units (GL_MAX_TEXTURE_UNITS)
  int MaxTextureSize = 0;         // px
};

// Nothing when the current context cannot run the fixed-function pipeline (a core
// profile, OpenGL ES, or older than 1.3).
bool LoadApi(ProcLoader loader, Api& api);

}  // namespace platform::gl
