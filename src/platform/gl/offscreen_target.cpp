#include "platform/gl/offscreen_target.h"

#include <cstring>

namespace platform::gl {

struct OffscreenTarget::Fns {
  PFNGLGENFRAMEBUFFERSPROC GenFramebuffers = nullptr;
  PFNGLDELETEFRAMEBUFFERSPROC DeleteFramebuffers = nullptr;
  PFNGLBINDFRAMEBUFFERPROC BindFramebuffer = nullptr;
  PFNGLCHECKFRAMEBUFFERSTATUSPROC CheckFramebufferStatus = nullptr;
  PFNGLFRAMEBUFFERRENDERBUFFERPROC FramebufferRenderbuffer = nullptr;
  PFNGLGENRENDERBUFFERSPROC GenRenderbuffers = nullptr;
  PFNGLDELETERENDERBUFFERSPROC DeleteRenderbuffers = nullptr;
  PFNGLBINDRENDERBUFFERPROC BindRenderbuffer = nullptr;
  PFNGLRENDERBUFFERSTORAGEPROC RenderbufferStorage = nullptr;
  PFNGLBLITFRAMEBUFFERPROC BlitFramebuffer = nullptr;

  bool Complete() const {
    return GenFramebuffers && DeleteFramebuffers && BindFramebuffer && CheckFramebufferStatus &&
           FramebufferRenderbuffer && GenRenderbuffers && DeleteRenderbuffers && BindRenderbuffer &&
           RenderbufferStorage && BlitFramebuffer;
  }
};

namespace {

bool HasFramebufferObjects() {
  const char* version = reinterpret_cast<const char*>(glGetString(GL_VERSION));
  if (version && version[0] >= '3' && version[0] <= '9' && version[1] == '.') return true;
  // Before 3.0 only the extension has them (with the same entry points).
  const char* all = reinterpret_cast<const char*>(glGetString(GL_EXTENSIONS));
  if (!all) return false;
  const char* name = "GL_ARB_framebuffer_object";
  const size_t length = std::strlen(name);
  for (const char* p = std::strstr(all, name); p; p = std::strstr(p + length, name)) {
    if ((p == all || p[-1] == ' ') && (p[length] == '\0' || p[length] == ' ')) return true;
  }
  return false;
}

template <typename Fn>
void Load(ProcLoader loader, const char* name, Fn& fn) {
  fn = reinterpret_cast<Fn>(loader(name));
}

// The depth format that keeps the precision of the framebuffer bound now: the depth
// test must pass and fail for the same pixels in the picture as it would there.
GLenum DepthFormat() {
  GLint depthBits = 0, stencilBits = 0;
  glGetIntegerv(GL_DEPTH_BITS, &depthBits);
  glGetIntegerv(GL_STENCIL_BITS, &stencilBits);
  if (stencilBits > 0 && depthBits == 24) return GL_DEPTH24_STENCIL8;
  if (depthBits > 24) return GL_DEPTH_COMPONENT32;
  if (depthBits > 16) return GL_DEPTH_COMPONENT24;
  return GL_DEPTH_COMPONENT16;
}

// With no alpha channel a framebuffer reads back alpha 1 (which blending by the
// destination's alpha sees): the picture has none either, then.
GLenum ColorFormat() {
  GLint alphaBits = 0;
  glGetIntegerv(GL_ALPHA_BITS, &alphaBits);
  return alphaBits > 0 ? GL_RGBA8 : GL_RGB8;
}

}  // namespace

std::unique_ptr<OffscreenTarget> OffscreenTarget::Create(int width, int height, ProcLoader loader) {
  if (loader == nullptr || width <= 0 || height <= 0 || !HasFramebufferObjects()) return nullptr;
  auto fns = std::make_unique<Fns>();
  Load(loader, "glGenFramebuffers", fns->GenFramebuffers);
  Load(loader, "glDeleteFramebuffers", fns->DeleteFramebuffers);
  Load(loader, "glBindFramebuffer", fns->BindFramebuffer);
  Load(loader, "glCheckFramebufferStatus", fns->CheckFramebufferStatus);
  Load(loader, "glFramebufferRenderbuffer", fns->FramebufferRenderbuffer);
  Load(loader, "glGenRenderbuffers", fns->GenRenderbuffers);
  Load(loader, "glDeleteRenderbuffers", fns->DeleteRenderbuffers);
  Load(loader, "glBindRenderbuffer", fns->BindRenderbuffer);
  Load(loader, "glRenderbufferStorage", fns->RenderbufferStorage);
  Load(loader, "glBlitFramebuffer", fns->BlitFramebuffer);
  if (!fns->Complete()) return nullptr;
  GLint maxSize = 0;
  glGetIntegerv(GL_MAX_RENDERBUFFER_SIZE, &maxSize);
  if (width > maxSize || height > maxSize) return nullptr;

  GLint previousDraw = 0, previousRead = 0;
  glGetIntegerv(GL_DRAW_FRAMEBUFFER_BINDING, &previousDraw);
  glGetIntegerv(GL_READ_FRAMEBUFFER_BINDING, &previousRead);
  const GLenum colorFormat = ColorFormat();
  const GLenum depthFormat = DepthFormat();
  while (glGetError() != GL_NO_ERROR) {
  }

  std::unique_ptr<OffscreenTarget> target(new OffscreenTarget());
  target->fns_ = std::move(fns);
  const Fns& f = *target->fns_;
  target->width_ = width;
  target->height_ = height;
  f.GenRenderbuffers(1, &target->color_);
  f.BindRenderbuffer(GL_RENDERBUFFER, target->color_);
  f.RenderbufferStorage(GL_RENDERBUFFER, colorFormat, width, height);
  f.GenRenderbuffers(1, &target->depth_);
  f.BindRenderbuffer(GL_RENDERBUFFER, target->depth_);
  f.RenderbufferStorage(GL_RENDERBUFFER, depthFormat, width, height);
  f.BindRenderbuffer(GL_RENDERBUFFER, 0);
  f.GenFramebuffers(1, &target->framebuffer_);
  f.BindFramebuffer(GL_FRAMEBUFFER, target->framebuffer_);
  f.FramebufferRenderbuffer(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_RENDERBUFFER, target->color_);
  f.FramebufferRenderbuffer(GL_FRAMEBUFFER, GL_DEPTH_ATTACHMENT, GL_RENDERBUFFER, target->depth_);
  if (depthFormat == GL_DEPTH24_STENCIL8) {
    f.FramebufferRenderbuffer(GL_FRAMEBUFFER, GL_STENCIL_ATTACHMENT, GL_RENDERBUFFER, target->depth_);
  }
  const bool complete = f.CheckFramebufferStatus(GL_FRAMEBUFFER) == GL_FRAMEBUFFER_COMPLETE;
  if (complete && glGetError() == GL_NO_ERROR) {
    glPushAttrib(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT | GL_SCISSOR_BIT);
    glDisable(GL_SCISSOR_TEST);
    glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
    glDepthMask(GL_TRUE);
    glClearColor(0, 0, 0, 1);
    glClearDepth(1);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glPopAttrib();
  }
  f.BindFramebuffer(GL_DRAW_FRAMEBUFFER, static_cast<GLuint>(previousDraw));
  f.BindFramebuffer(GL_READ_FRAMEBUFFER, static_cast<GLuint>(previousRead));
  if (!complete) return nullptr;  // the destructor frees what was made
  return target;
}

OffscreenTarget::~OffscreenTarget() {
  if (!fns_) return;
  // Deleting a bound framebuffer binds the window's in its place.
  fns_->DeleteFramebuffers(1, &framebuffer_);
  fns_->DeleteRenderbuffers(1, &color_);
  fns_->DeleteRenderbuffers(1, &depth_);
}

void OffscreenTarget::Bind() const { fns_->BindFramebuffer(GL_FRAMEBUFFER, framebuffer_); }

void OffscreenTarget::PresentTo(GLuint framebuffer, int width, int height, const PixelRect& area) const {
  fns_->BindFramebuffer(GL_READ_FRAMEBUFFER, framebuffer_);
  fns_->BindFramebuffer(GL_DRAW_FRAMEBUFFER, framebuffer);
  glPushAttrib(GL_COLOR_BUFFER_BIT | GL_SCISSOR_BIT);
  glDisable(GL_SCISSOR_TEST);  // both the clear and the copy obey it
  glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
  glClearColor(0, 0, 0, 1);
  glClear(GL_COLOR_BUFFER_BIT);
  if (area.Right > area.Left && area.Bottom > area.Top) {
    // GL's rows count from the bottom.
    const bool same = area.Right - area.Left == width_ && area.Bottom - area.Top == height_;
    fns_->BlitFramebuffer(0, 0, width_, height_, area.Left, height - area.Bottom, area.Right, height - area.Top,
                          GL_COLOR_BUFFER_BIT, same ? GL_NEAREST : GL_LINEAR);
  }
  glPopAttrib();
  (void)width;  // the area is given in the destination's pixels; only its height flips rows
}

}  // namespace platform::gl
