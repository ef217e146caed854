#include "platform/sdl/gl_context_attributes.h"

#include <SDL.h>

namespace platform {

void RequestGameGlSurface() {
  constexpr int kDepthBits = 16;
  SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
  SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, kDepthBits);
  SDL_GL_SetAttribute(SDL_GL_STENCIL_SIZE, 0);  // the game draws no stencil
}

}  // namespace platform
