#include "platform/gldevice.h"

#include <SDL.h>
#include <SDL_opengl.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <utility>

#include "platform/window.h"

namespace platform {
namespace {

// GL 3.0 / ARB_framebuffer_object and GL 1.4 entry points, loaded at run time.
PFNGLGENFRAMEBUFFERSPROC pGenFramebuffers = nullptr;
PFNGLDELETEFRAMEBUFFERSPROC pDeleteFramebuffers = nullptr;
PFNGLBINDFRAMEBUFFERPROC pBindFramebuffer = nullptr;
PFNGLFRAMEBUFFERTEXTURE2DPROC pFramebufferTexture2D = nullptr;
PFNGLCHECKFRAMEBUFFERSTATUSPROC pCheckFramebufferStatus = nullptr;
PFNGLBLITFRAMEBUFFERPROC pBlitFramebuffer = nullptr;
PFNGLBLENDEQUATIONPROC pBlendEquation = nullptr;

template <typename T>
bool Load(T* fn, const char* name) {
  *fn = reinterpret_cast<T>(SDL_GL_GetProcAddress(name));
  return *fn != nullptr;
}

GLenum ToGl(BlendFactor f) {
  switch (f) {
    case BlendFactor::Zero: return GL_ZERO;
    case BlendFactor::One: return GL_ONE;
    case BlendFactor::SrcColor: return GL_SRC_COLOR;
    case BlendFactor::InvSrcColor: return GL_ONE_MINUS_SRC_COLOR;
    case BlendFactor::SrcAlpha: return GL_SRC_ALPHA;
    case BlendFactor::InvSrcAlpha: return GL_ONE_MINUS_SRC_ALPHA;
    case BlendFactor::DestAlpha: return GL_DST_ALPHA;
    case BlendFactor::InvDestAlpha: return GL_ONE_MINUS_DST_ALPHA;
    case BlendFactor::DestColor: return GL_DST_COLOR;
    case BlendFactor::InvDestColor: return GL_ONE_MINUS_DST_COLOR;
  }
  return GL_ONE;
}

}  // namespace

bool GlDevice::Create(std::string* error) {
  SDL_Window* window = static_cast<SDL_Window*>(NativeWindow());
  if (!window) {
    if (error) *error = "no game window";
    return false;
  }
  SDL_GLContext context = SDL_GL_CreateContext(window);
  if (!context) {
    if (error) *error = std::string("OpenGL context: ") + SDL_GetError();
    return false;
  }
  context_ = context;
  SDL_GL_MakeCurrent(window, context);
  SDL_GL_SetSwapInterval(1);
  const GLubyte* renderer = glGetString(GL_RENDERER);
  if (!renderer) {
    if (error) *error = "OpenGL has no renderer";
    Release();
    return false;
  }
  bool ok = Load(&pGenFramebuffers, "glGenFramebuffers") && Load(&pDeleteFramebuffers, "glDeleteFramebuffers") &&
            Load(&pBindFramebuffer, "glBindFramebuffer") &&
            Load(&pFramebufferTexture2D, "glFramebufferTexture2D") &&
            Load(&pCheckFramebufferStatus, "glCheckFramebufferStatus") &&
            Load(&pBlitFramebuffer, "glBlitFramebuffer") && Load(&pBlendEquation, "glBlendEquation");
  if (!ok) {
    if (error) *error = "OpenGL lacks framebuffer objects or glBlendEquation";
    Release();
    return false;
  }
  GLuint tex = 0;
  glGenTextures(1, &tex);
  glBindTexture(GL_TEXTURE_2D, tex);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
  glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, kWidth, kHeight, 0, GL_BGRA, GL_UNSIGNED_INT_8_8_8_8_REV, nullptr);
  colorTexture_ = tex;
  GLuint fbo = 0;
  pGenFramebuffers(1, &fbo);
  framebuffer_ = fbo;
  pBindFramebuffer(GL_FRAMEBUFFER, fbo);
  pFramebufferTexture2D(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_TEXTURE_2D, tex, 0);
  if (pCheckFramebufferStatus(GL_FRAMEBUFFER) != GL_FRAMEBUFFER_COMPLETE) {
    if (error) *error = "OpenGL framebuffer object is incomplete";
    Release();
    return false;
  }
  glBindTexture(GL_TEXTURE_2D, 0);
  glStateKnown_ = false;
  pending_ = State{};
  ForgetFrames();
  pacer_.Reset();
  return true;
}

void GlDevice::Release() {
  if (!context_) return;
  ForgetFrames();
  opaqueTextures_.clear();
  if (framebuffer_ && pDeleteFramebuffers) {
    GLuint fbo = framebuffer_;
    pDeleteFramebuffers(1, &fbo);
  }
  if (colorTexture_) {
    GLuint tex = colorTexture_;
    glDeleteTextures(1, &tex);
  }
  framebuffer_ = 0;
  colorTexture_ = 0;
  SDL_GL_DeleteContext(static_cast<SDL_GLContext>(context_));
  context_ = nullptr;
}

std::string GlDevice::RendererName() const {
  if (!context_) return std::string();
  const GLubyte* name = glGetString(GL_RENDERER);
  return name ? reinterpret_cast<const char*>(name) : std::string();
}

void GlDevice::Clear(uint32_t argb) {
  if (!context_) return;
  // The clear covers the whole framebuffer: whatever is recorded and not yet sent could never
  // show, so the new frame's record starts here.
  ForgetRecord();
  frame_.cleared = true;
  frame_.clearColor = argb;
  inFrame_ = true;
  deferring_ = shortcuts_;
  frameConsistent_ = true;
}

void GlDevice::BeginScene() {
  if (!context_) return;
  pBindFramebuffer(GL_FRAMEBUFFER, framebuffer_);
  glViewport(0, 0, kWidth, kHeight);
  // Pixels to clip space with y downward. z is dropped (its row is zero): the game's
  // depth / 65535 goes far above 1 and must never clip, and there is no depth test.
  const GLfloat projection[16] = {
      2.0f / kWidth, 0, 0, 0,  //
      0, -2.0f / kHeight, 0, 0,  //
      0, 0, 0, 0,  //
      -1, 1, 0, 1,
  };
  glMatrixMode(GL_PROJECTION);
  glLoadMatrixf(projection);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  glDisable(GL_DEPTH_TEST);
  glDisable(GL_LIGHTING);
  // Triangles that run counter-clockwise on screen are culled, as the original device does.
  glEnable(GL_CULL_FACE);
  glFrontFace(GL_CW);
  glCullFace(GL_BACK);
  glEnableClientState(GL_VERTEX_ARRAY);
  glEnableClientState(GL_COLOR_ARRAY);
  glEnableClientState(GL_TEXTURE_COORD_ARRAY);
  glStateKnown_ = false;
}

void GlDevice::EndScene() {
  if (!context_) return;
  if (inFrame_) {
    EndFrame();
  } else {
    Send();
  }
}

void GlDevice::EndFrame() {
  const bool repeats = deferring_ && heldValid_ && frameConsistent_ && heldEpoch_ == textureEpoch_ &&
                       frame_.SameAs(held_);
  deferring_ = false;
  if (repeats) {
    ++framesReused_;
  } else {
    Send();  // still in the frame: the record is kept, to be held
    ++framesDrawn_;
    std::swap(held_, frame_);
    heldValid_ = frameConsistent_;
    heldEpoch_ = textureEpoch_;
  }
  inFrame_ = false;
  ForgetRecord();
}

void GlDevice::Present() {
  if (!context_) return;
  if (inFrame_) EndFrame();
  Send();
  const uint64_t exposures = WindowExposureCount();
  // The window keeps showing the last frame it was given; it needs it again only when the
  // framebuffer changed or the window lost what it showed.
  if (changedSincePresent_ || !shortcuts_ || exposures != exposuresSeen_) {
    SDL_Window* window = static_cast<SDL_Window*>(NativeWindow());
    int w = kWidth, h = kHeight;
    SDL_GL_GetDrawableSize(window, &w, &h);
    pBindFramebuffer(GL_READ_FRAMEBUFFER, framebuffer_);
    pBindFramebuffer(GL_DRAW_FRAMEBUFFER, 0);
    pBlitFramebuffer(0, 0, kWidth, kHeight, 0, 0, w, h, GL_COLOR_BUFFER_BIT, GL_NEAREST);
    pBindFramebuffer(GL_FRAMEBUFFER, framebuffer_);
    SDL_GL_SwapWindow(window);
    changedSincePresent_ = false;
    exposuresSeen_ = exposures;
    ++framesPresented_;
  }
  if (pacingEnabled_) pacer_.Wait();
}

TextureId GlDevice::CreateTexture(int width, int height, const uint32_t* argb) {
  if (!context_ || width <= 0 || height <= 0) return 0;
  BeforeTextureChange();
  GLuint tex = 0;
  glGenTextures(1, &tex);
  glBindTexture(GL_TEXTURE_2D, tex);
  // Point sampling and wrap addressing, the original device's defaults.
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_REPEAT);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_REPEAT);
  glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
  glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, width, height, 0, GL_BGRA, GL_UNSIGNED_INT_8_8_8_8_REV, argb);
  glStateKnown_ = false;
  NoteTextureContents(tex, width, height, argb);
  return tex;
}

void GlDevice::UpdateTexture(TextureId texture, int width, int height, const uint32_t* argb) {
  if (!context_ || !texture) return;
  BeforeTextureChange();
  glBindTexture(GL_TEXTURE_2D, texture);
  glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, width, height, 0, GL_BGRA, GL_UNSIGNED_INT_8_8_8_8_REV, argb);
  glStateKnown_ = false;
  NoteTextureContents(texture, width, height, argb);
}

void GlDevice::DeleteTexture(TextureId texture) {
  if (!context_ || !texture) return;
  BeforeTextureChange();
  GLuint tex = texture;
  glDeleteTextures(1, &tex);
  if (pending_.texture == texture) pending_.texture = 0;
  glStateKnown_ = false;
  NoteTextureContents(texture, 0, 0, nullptr);
}

void GlDevice::BeforeTextureChange() {
  // Quads already recorded were drawn with the texture as it was: they go to GL now, and a
  // frame that mixes old and new contents can never be repeated from its record.
  if (inFrame_ && !frame_.vertices.empty()) {
    frameConsistent_ = false;
    deferring_ = false;
  }
  Send();  // sends nothing while the frame is still only recorded
  ++textureEpoch_;
}

void GlDevice::NoteTextureContents(TextureId texture, int width, int height, const uint32_t* argb) {
  // GL names are small numbers; a driver that hands out huge ones just gets no opaque shortcut.
  constexpr TextureId kMaxTracked = 1u << 20;
  if (texture >= kMaxTracked) return;
  bool opaque = argb != nullptr && width > 0 && height > 0;
  const size_t count = opaque ? static_cast<size_t>(width) * static_cast<size_t>(height) : 0;
  for (size_t i = 0; i < count && opaque; ++i) opaque = (argb[i] >> 24) == 0xFF;
  if (opaqueTextures_.size() <= texture) opaqueTextures_.resize(texture + 1, false);
  opaqueTextures_[texture] = opaque;
}

bool GlDevice::IsOpaqueTexture(TextureId texture) const {
  return texture < opaqueTextures_.size() && opaqueTextures_[texture];
}

void GlDevice::SetTexture(TextureId texture) { pending_.texture = texture; }
void GlDevice::SetTextureStage(TextureStageOp op) { pending_.stage = op; }
void GlDevice::SetBlendEnabled(bool enabled) { pending_.blend = enabled; }
void GlDevice::SetBlendOp(BlendOp op) { pending_.op = op; }
void GlDevice::SetBlendFactors(BlendFactor src, BlendFactor dst) {
  pending_.src = src;
  pending_.dst = dst;
}
void GlDevice::SetDepthTest(bool enabled) {
  // The game never depth-tests; the framebuffer has no depth buffer to test against.
  (void)enabled;
}

void GlDevice::ApplyState(const State& s) {
  if (glStateKnown_ && s == glState_) return;
  const bool textured = s.stage == TextureStageOp::Modulate && s.texture != 0;
  if (textured) {
    glEnable(GL_TEXTURE_2D);
    glBindTexture(GL_TEXTURE_2D, s.texture);
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
  } else {
    glDisable(GL_TEXTURE_2D);
  }
  if (s.blend) {
    glEnable(GL_BLEND);
    pBlendEquation(s.op == BlendOp::ReverseSubtract ? GL_FUNC_REVERSE_SUBTRACT : GL_FUNC_ADD);
    glBlendFunc(ToGl(s.src), ToGl(s.dst));
  } else {
    glDisable(GL_BLEND);
  }
  glState_ = s;
  glStateKnown_ = true;
}

bool GlDevice::EffectiveState(const ScreenVertex v[4], State* out) const {
  // Only what changes the picture decides whether a quad joins the batch: an untextured quad
  // ignores the bound texture, and with blending off the blend operation and factors are unused.
  State state = pending_;
  if (state.stage != TextureStageOp::Modulate || state.texture == 0) {
    state.stage = TextureStageOp::SelectDiffuse;
    state.texture = 0;
  }
  if (shortcuts_ && state.blend) {
    bool allTransparent = true, allOpaque = true, allBlack = true;
    for (int i = 0; i < 4; ++i) {
      const uint32_t alpha = v[i].diffuse >> 24;
      allTransparent = allTransparent && alpha == 0;
      allOpaque = allOpaque && alpha == 0xFF;
      allBlack = allBlack && v[i].diffuse == 0;
    }
    // The source (texel × vertex colour, or the vertex colour) has alpha 0 wherever every
    // vertex alpha is 0, and is 0 in every channel wherever every vertex colour is 0. The
    // destination stays as it is when its factor is then 1 and the source term is 0.
    const bool keepsDestination = state.dst == BlendFactor::One || state.dst == BlendFactor::InvSrcAlpha;
    const bool sourceTermZero =
        allBlack || (allTransparent && (state.src == BlendFactor::SrcAlpha || state.src == BlendFactor::Zero));
    if (keepsDestination && sourceTermZero) return false;
    // Plain alpha blending of an opaque source writes the source: the same as no blending.
    const bool plainAlpha =
        state.op == BlendOp::Add && state.src == BlendFactor::SrcAlpha && state.dst == BlendFactor::InvSrcAlpha;
    if (plainAlpha && allOpaque && (state.texture == 0 || IsOpaqueTexture(state.texture))) state.blend = false;
  }
  if (!state.blend) {
    state.op = BlendOp::Add;
    state.src = BlendFactor::One;
    state.dst = BlendFactor::Zero;
  }
  *out = state;
  return true;
}

void GlDevice::DrawQuadStrip(const ScreenVertex v[4]) {
  if (!context_) return;
  State state;
  if (!EffectiveState(v, &state)) return;
  const size_t quad = frame_.vertices.size() / 4;
  if (frame_.batches.empty() || !(frame_.batches.back().state == state)) {
    frame_.batches.push_back(Batch{state, quad, 0});
  }
  ++frame_.batches.back().quadCount;
  // Four vertices per quad; Send draws each as the strip's triangles (0,1,2) and (2,1,3).
  for (int i = 0; i < 4; ++i) {
    const ScreenVertex& s = v[i];
    BatchVertex b;
    b.x = s.x;
    b.y = s.y;
    b.u = s.u;
    b.v = s.v;
    b.a = static_cast<uint8_t>(s.diffuse >> 24);
    b.r = static_cast<uint8_t>(s.diffuse >> 16);
    b.g = static_cast<uint8_t>(s.diffuse >> 8);
    b.b = static_cast<uint8_t>(s.diffuse);
    frame_.vertices.push_back(b);
  }
  ++quadsDrawn_;
}

void GlDevice::Send() {
  if (!context_ || deferring_) return;
  bool wrote = false;
  if (frame_.cleared && !clearSent_) {
    pBindFramebuffer(GL_FRAMEBUFFER, framebuffer_);
    const uint32_t argb = frame_.clearColor;
    glClearColor(((argb >> 16) & 0xFF) / 255.0f, ((argb >> 8) & 0xFF) / 255.0f, (argb & 0xFF) / 255.0f,
                 ((argb >> 24) & 0xFF) / 255.0f);
    glClear(GL_COLOR_BUFFER_BIT);
    clearSent_ = true;
    wrote = true;
  }
  const size_t quads = frame_.vertices.size() / 4;
  if (sentQuads_ < quads) {
    pBindFramebuffer(GL_FRAMEBUFFER, framebuffer_);
    const GLsizei stride = sizeof(BatchVertex);
    glVertexPointer(2, GL_FLOAT, stride, &frame_.vertices[0].x);
    glTexCoordPointer(2, GL_FLOAT, stride, &frame_.vertices[0].u);
    glColorPointer(4, GL_UNSIGNED_BYTE, stride, &frame_.vertices[0].r);
    // The index list grows with the largest record seen and is reused from then on.
    for (size_t q = quadIndices_.size() / 6; q < quads; ++q) {
      const uint32_t base = static_cast<uint32_t>(q * 4);
      for (uint32_t i : {0u, 1u, 2u, 2u, 1u, 3u}) quadIndices_.push_back(base + i);
    }
    for (const Batch& batch : frame_.batches) {
      const size_t from = std::max(batch.firstQuad, sentQuads_);
      const size_t to = batch.firstQuad + batch.quadCount;
      if (from >= to) continue;
      ApplyState(batch.state);
      glDrawElements(GL_TRIANGLES, static_cast<GLsizei>((to - from) * 6), GL_UNSIGNED_INT, &quadIndices_[from * 6]);
    }
    sentQuads_ = quads;
    wrote = true;
  }
  if (wrote) {
    heldValid_ = false;
    changedSincePresent_ = true;
  }
  // Outside a frame nothing is compared later: what is sent is forgotten.
  if (!inFrame_) ForgetRecord();
}

void GlDevice::Finish() {
  if (!context_) return;
  deferring_ = false;
  Send();
  glFinish();
}

void GlDevice::SetShortcutsEnabled(bool enabled) {
  shortcuts_ = enabled;
  if (!enabled && deferring_) {
    deferring_ = false;
    Send();
  }
}

void GlDevice::ForgetRecord() {
  frame_.Reset();
  sentQuads_ = 0;
  clearSent_ = false;
}

void GlDevice::ForgetFrames() {
  ForgetRecord();
  held_.Reset();
  heldValid_ = false;
  inFrame_ = false;
  deferring_ = false;
  changedSincePresent_ = true;
}

void GlDevice::FrameRecord::Reset() {
  cleared = false;
  clearColor = 0;
  batches.clear();
  vertices.clear();
}

bool GlDevice::FrameRecord::SameAs(const FrameRecord& other) const {
  if (cleared != other.cleared || clearColor != other.clearColor || batches.size() != other.batches.size() ||
      vertices.size() != other.vertices.size()) {
    return false;
  }
  for (size_t i = 0; i < batches.size(); ++i) {
    const Batch& a = batches[i];
    const Batch& b = other.batches[i];
    if (!(a.state == b.state) || a.firstQuad != b.firstQuad || a.quadCount != b.quadCount) return false;
  }
  // Compared bit for bit: a vertex that changed in any way draws anew.
  static_assert(sizeof(BatchVertex) == 20, "vertices are compared as bytes, without padding");
  return vertices.empty() || std::memcmp(vertices.data(), other.vertices.data(), vertices.size() * sizeof(BatchVertex)) == 0;
}

bool GlDevice::ReadPixels(int x, int y, int width, int height, std::vector<uint32_t>* argb) {
  if (!context_ || width <= 0 || height <= 0 || x < 0 || y < 0 || width > kWidth - x || height > kHeight - y)
    return false;
  // Read in the middle of a frame: what is recorded so far is drawn first.
  deferring_ = false;
  Send();
  pBindFramebuffer(GL_FRAMEBUFFER, framebuffer_);
  std::vector<uint32_t> raw(static_cast<size_t>(width) * height);
  glPixelStorei(GL_PACK_ALIGNMENT, 4);
  // GL rows run bottom to top; the game's y runs downward.
  glReadPixels(x, kHeight - y - height, width, height, GL_BGRA, GL_UNSIGNED_INT_8_8_8_8_REV, raw.data());
  argb->resize(raw.size());
  for (int row = 0; row < height; ++row) {
    for (int col = 0; col < width; ++col) {
      (*argb)[static_cast<size_t>(row) * width + col] = raw[static_cast<size_t>(height - 1 - row) * width + col];
    }
  }
  return true;
}

}  // namespace platform
