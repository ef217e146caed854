#pragma once
// A picture of a fixed size drawn off screen (a framebuffer object) and shown scaled
// on a window of any size: the game renders at the size its window was created with,
// and the window stretches or letterboxes the finished picture.
#include <memory>

#include "platform/gl/gl_api.h"
#include "platform/gfx/picture_fit.h"

namespace platform::gl {

class OffscreenTarget {
public:
  // A picture of width x height px on the context current on this thread, with the
  // colour and depth precision of the framebuffer bound now (so that drawing into it
  // gives the pixels drawing into that one would), cleared to black. Nothing when the
  // context has no framebuffer objects (OpenGL 3.0 or ARB_framebuffer_object) or
  // cannot make one that size. The framebuffer bound before stays bound.
  static std::unique_ptr<OffscreenTarget> Create(int width, int height, ProcLoader loader);
  ~OffscreenTarget();
  OffscreenTarget(const OffscreenTarget&) = delete;
  OffscreenTarget& operator=(const OffscreenTarget&) = delete;

  int Width() const { return width_; }
  int Height() const { return height_; }
  GLuint Framebuffer() const { return framebuffer_; }

  // Draws (and reads) go into the picture from now on.
  void Bind() const;

  // Fills `framebuffer` (0: the window's, `width` x `height` px) with black and copies
  // the picture into `area` of it (from its top-left corner), scaled. The scaling
  // filters linearly: at the uneven factors a window resize gives, nearest sampling
  // would double some rows and columns and not others, and the HUD's thin text
  // would come out ragged; the created size is copied pixel for pixel (nearest), so
  // it shows exactly what was rendered. Afterwards `framebuffer` is bound for drawing
  // (the menu bar goes over the picture) and the picture for reading; colour mask,
  // scissor and clear colour are as they were.
  void PresentTo(GLuint framebuffer, int width, int height, const PixelRect& area) const;

private:
  struct Fns;
  OffscreenTarget() = default;
  std::unique_ptr<Fns> fns_;
  int width_ = 0, height_ = 0;
  GLuint framebuffer_ = 0;
  GLuint color_ = 0, depth_ = 0;  // renderbuffers
};

}  // namespace platform::gl
