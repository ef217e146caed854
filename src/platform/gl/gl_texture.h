#pragma once
// A texture object of the OpenGL device. It tells the device when it goes away, so
// that no texture stage keeps pointing at it (a D3D device would hold a reference).
#include <memory>

#include "platform/gl/gl_api.h"
#include "platform/gfx/graphics_resources.h"

namespace platform::gl {

class GlDevice;

// Lets resources reach their device while it lives; the device clears it when it goes.
struct DeviceLink {
  GlDevice* Device = nullptr;
};

class GlTexture final : public Texture {
public:
  GlTexture(GLuint id, std::shared_ptr<DeviceLink> link) : id_(id), link_(std::move(link)) {}
  ~GlTexture() override;
  GlTexture(const GlTexture&) = delete;
  GlTexture& operator=(const GlTexture&) = delete;

  GLuint Id() const { return id_; }

  // Filters the texture object holds now; samplers are per stage in D3D but per
  // texture in GL, so a draw updates these when its stage's sampler differs.
  GLint MinFilter = GL_NEAREST;
  GLint MagFilter = GL_NEAREST;
  // Every texel has alpha 255: a draw whose alpha comes from this texture alone is
  // opaque, and blending it over the back buffer changes nothing but the cost.
  bool Opaque = false;

private:
  GLuint id_;
  std::shared_ptr<DeviceLink> link_;
};

}  // namespace platform::gl
