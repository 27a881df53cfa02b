#include "platform/gldevice.h"

#include <SDL.h>
#include <SDL_opengl.h>

#include <algorithm>
#include <cmath>
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

// Texel coordinates this far out are not trusted to pick the texel worked out here.
constexpr double kFarTexel = 1 << 20;
// Tiles a large quad is cut into, in texels, when only its parts that can show are drawn, and
// the fewest pixels on screen that make a quad worth cutting (smaller ones cost more to cut than
// their clear parts cost to fill).
constexpr int64_t kTile = 32;
constexpr int kCutArea = 16 * kTile * kTile;

}  // namespace

// A quad whose corners form a rectangle on screen, u running only across it and v only down it:
// corners 0 and 2 share x and u, corners 1 and 3 too; corners 0 and 1 share y and v, 2 and 3 too.
// The pixels it may fill, columns col0..col1 and rows row0..row1, are those on screen whose
// centres lie inside it or on its edges (col0 > col1 or row0 > row1 when there are none).
struct AxisQuad {
  double x0, x1, y0, y1;
  double u0, u1, v0, v1;
  int col0, col1, row0, row1;
};

namespace {

// The rasteriser rounds vertex positions to its sub-pixel grid (llvmpipe to 1/256 of a pixel):
// edges are taken to lie up to this far from where the vertices put them.
constexpr double kSnap = 1.0 / 16;

// The pixels 0..size-1 along one side whose centres lie between a and b, edges included, give or
// take the rasteriser's rounding.
// The whole number at or below x, for x well inside the range of int64_t (the library's floor
// is a call, and this runs for every quad).
int64_t FloorToInt(double x) {
  const auto i = static_cast<int64_t>(x);  // toward 0
  return i - (x < static_cast<double>(i) ? 1 : 0);
}

void PixelSpan(double a, double b, int size, int* first, int* last) {
  const double lo = std::clamp(std::min(a, b) - kSnap - 0.5, -2.0, size + 2.0);
  const double hi = std::clamp(std::max(a, b) + kSnap - 0.5, -2.0, size + 2.0);
  *first = static_cast<int>(std::clamp(-FloorToInt(-lo), int64_t{0}, int64_t{size}));
  *last = static_cast<int>(std::clamp(FloorToInt(hi), int64_t{-1}, int64_t{size - 1}));
}

bool ReadAxisQuad(const ScreenVertex v[4], AxisQuad* q) {
  if (!(v[0].x == v[2].x && v[1].x == v[3].x && v[0].y == v[1].y && v[2].y == v[3].y && v[0].u == v[2].u &&
        v[1].u == v[3].u && v[0].v == v[1].v && v[2].v == v[3].v)) {
    return false;
  }
  *q = AxisQuad{v[0].x, v[1].x, v[0].y, v[2].y, v[0].u, v[1].u, v[0].v, v[2].v, 0, -1, 0, -1};
  for (double value : {q->x0, q->x1, q->y0, q->y1, q->u0, q->u1, q->v0, q->v1}) {
    if (!std::isfinite(value)) return false;
  }
  // A rectangle of no width or height fills no pixel.
  if (q->x0 == q->x1 || q->y0 == q->y1) return true;
  PixelSpan(q->x0, q->x1, GlDevice::kWidth, &q->col0, &q->col1);
  PixelSpan(q->y0, q->y1, GlDevice::kHeight, &q->row0, &q->row1);
  return true;
}

bool FillsNoPixel(const AxisQuad& q) { return q.col0 > q.col1 || q.row0 > q.row1; }

// The texels that pixels first..last sample along one side, as point sampling picks them: the
// texel coordinate runs linearly from ta at screen position a to tb at b. A margin covers the
// rounding of the rasteriser's interpolation and of its vertex positions; false when the
// coordinates are too far out to be sure.
bool TexelSpan(double a, double b, double ta, double tb, int first, int last, int64_t* t0, int64_t* t1) {
  const double perPixel = (tb - ta) / (b - a);
  const auto at = [&](int pixel) { return ta + perPixel * ((pixel + 0.5) - a); };
  const double lo = std::min(at(first), at(last));
  const double hi = std::max(at(first), at(last));
  if (!(std::fabs(lo) < kFarTexel && std::fabs(hi) < kFarTexel && std::fabs(perPixel) < kFarTexel)) return false;
  const double margin = 1.0 / 64 + std::max(std::fabs(lo), std::fabs(hi)) / 65536 + std::fabs(perPixel) * kSnap;
  *t0 = FloorToInt(lo - margin);
  *t1 = FloorToInt(hi + margin);
  return true;
}

}  // namespace

// How one side of a quad maps screen pixels to texels when it maps one texel onto one pixel: the
// texel a pixel samples is first + dir * (pixel - edge), pixel edges and screen edge whole numbers.
struct TexelSteps {
  int64_t first;
  int dir;
  int64_t edge;
  int64_t At(int pixel) const { return first + dir * (pixel - edge); }
};

namespace {

// Whether a side from screen edge a to b (a < b) with texel coordinates ta to tb maps one texel
// onto one pixel, forwards or mirrored, from whole-numbered edges, with every pixel centre well
// inside a texel: then which texel each pixel samples is certain, and a cut at a whole pixel
// leaves it as it is.
bool OneTexelPerPixel(double a, double b, double ta, double tb, TexelSteps* steps) {
  if (!(a < b && a == std::floor(a) && b == std::floor(b) && std::fabs(a) < kFarTexel && std::fabs(b) < kFarTexel)) {
    return false;
  }
  if (!(std::fabs(ta) < kFarTexel / 128 && std::fabs(tb) < kFarTexel / 128)) return false;
  if (std::fabs(std::fabs(tb - ta) - (b - a)) > 1.0 / 256) return false;
  const int dir = tb > ta ? 1 : -1;
  // The first pixel centre, half a pixel in, samples ta + dir / 2.
  const double centre = ta + dir * 0.5;
  const double fraction = centre - std::floor(centre);
  if (fraction < 1.0 / 64 || fraction > 1 - 1.0 / 64) return false;
  *steps = TexelSteps{static_cast<int64_t>(std::floor(centre)), dir, static_cast<int64_t>(a)};
  return true;
}

// The pixel edges, from and to included, that group pixels from..to-1 along one side where the
// texels they sample share a tile of kTile. At most the screen's width in tiles, and one more
// for a tile cut at each end.
struct TileEdges {
  static constexpr int kMax = GlDevice::kWidth / kTile + 3;
  int count = 0;
  int at[kMax];
  bool complete = false;  // the last edge is at to
  TileEdges(int from, int to, const TexelSteps& steps) {
    at[count++] = from;
    // Up to the first tile's end, then a whole tile at a time.
    const int64_t inTile = ((steps.At(from) % kTile) + kTile) % kTile;
    int64_t step = steps.dir > 0 ? kTile - inTile : inTile + 1;
    for (int x = from; x < to && count < kMax; step = kTile) {
      x = static_cast<int>(std::min<int64_t>(x + step, to));
      at[count++] = x;
    }
    complete = at[count - 1] == to;
  }
};

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
  coverage_.clear();
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
  asked_.clear();
  framePlain_ = shortcuts_;
  repeating_ = deferring_ && heldValid_ && heldAskedPlain_ && heldEpoch_ == textureEpoch_;
  repeated_ = 0;
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
  if (repeating_ && (repeated_ != heldAsked_.size() || frame_.clearColor != held_.clearColor ||
                     frame_.cleared != held_.cleared)) {
    StopRepeating();
  }
  // A frame that asked for other quads may still come to the same record (what changed could
  // not show).
  const bool repeats = repeating_ || (deferring_ && heldValid_ && frameConsistent_ && heldEpoch_ == textureEpoch_ &&
                                      frame_.SameAs(held_));
  repeating_ = false;
  deferring_ = false;
  if (repeats) {
    ++framesReused_;
  } else {
    Send();  // still in the frame: the record is kept, to be held
    ++framesDrawn_;
    std::swap(held_, frame_);
    std::swap(heldAsked_, asked_);
    heldAskedPlain_ = framePlain_;
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
  // Read while the caller's pixels are still fresh in the cache, before GL copies them.
  NoteTextureContents(tex, width, height, argb);
  glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, width, height, 0, GL_BGRA, GL_UNSIGNED_INT_8_8_8_8_REV, argb);
  glStateKnown_ = false;
  return tex;
}

void GlDevice::UpdateTexture(TextureId texture, int width, int height, const uint32_t* argb) {
  if (!context_ || !texture) return;
  BeforeTextureChange();
  NoteTextureContents(texture, width, height, argb);
  glBindTexture(GL_TEXTURE_2D, texture);
  glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, width, height, 0, GL_BGRA, GL_UNSIGNED_INT_8_8_8_8_REV, argb);
  glStateKnown_ = false;
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
  StopRepeating();
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
  // GL names are small numbers; a driver that hands out huge ones just gets no shortcuts.
  constexpr TextureId kMaxTracked = 1u << 20;
  if (texture >= kMaxTracked) return;
  if (coverage_.size() <= texture) coverage_.resize(texture + 1);
  coverage_[texture].Note(width, height, argb);
}

bool GlDevice::IsOpaqueTexture(TextureId texture) const {
  return texture < coverage_.size() && coverage_[texture].Opaque();
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

bool GlDevice::EffectiveState(const State& asked, const ScreenVertex v[4], State* out) const {
  // Only what changes the picture decides whether a quad joins the batch: an untextured quad
  // ignores the bound texture, and with blending off the blend operation and factors are unused.
  State state = asked;
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

bool GlDevice::TransparentTexelsAddNothing(const State& s) const {
  // The source alpha is the texel's alpha times the vertex alpha: 0 over a wholly transparent
  // texel, whatever the vertex colour. As for a transparent vertex colour, the source term is
  // then 0 and the destination kept.
  return s.blend && s.texture != 0 && (s.dst == BlendFactor::One || s.dst == BlendFactor::InvSrcAlpha) &&
         (s.src == BlendFactor::SrcAlpha || s.src == BlendFactor::Zero);
}

const TexelCoverage* GlDevice::Coverage(TextureId texture) const {
  return texture < coverage_.size() && coverage_[texture].Known() ? &coverage_[texture] : nullptr;
}

void GlDevice::DrawQuadStrip(const ScreenVertex v[4]) {
  if (!context_) return;
  if (repeating_) {
    if (repeated_ < heldAsked_.size() && heldAsked_[repeated_].Same(pending_, v)) {
      quadsDrawn_ += heldAsked_[repeated_].kept;
      ++repeated_;
      return;
    }
    StopRepeating();
  }
  const bool kept = WorkOut(pending_, v);
  quadsDrawn_ += kept;
  if (inFrame_ && framePlain_) {
    AskedQuad& quad = asked_.emplace_back();
    quad.state = pending_;
    std::memcpy(quad.v, v, sizeof quad.v);
    quad.kept = kept;
  }
}

void GlDevice::StopRepeating() {
  if (!repeating_) return;
  repeating_ = false;
  asked_.assign(heldAsked_.begin(), heldAsked_.begin() + static_cast<std::ptrdiff_t>(repeated_));
  for (const AskedQuad& quad : asked_) WorkOut(quad.state, quad.v);
}

bool GlDevice::WorkOut(const State& asked, const ScreenVertex v[4]) {
  State state;
  if (!EffectiveState(asked, v, &state)) return false;
  AxisQuad quad;
  if (shortcuts_ && ReadAxisQuad(v, &quad)) {
    if (FillsNoPixel(quad)) return false;
    const TexelCoverage* coverage = Coverage(state.texture);
    if (coverage && coverage->HasClearBlocks() && TransparentTexelsAddNothing(state))
      return RecordShowingParts(state, v, quad, *coverage);
  }
  Record(state, v);
  return true;
}

bool GlDevice::RecordShowingParts(const State& state, const ScreenVertex v[4], const AxisQuad& q,
                                  const TexelCoverage& coverage) {
  const double sa = q.u0 * coverage.Width(), sb = q.u1 * coverage.Width();
  const double ta = q.v0 * coverage.Height(), tb = q.v1 * coverage.Height();
  const bool oneColour = v[0].diffuse == v[1].diffuse && v[0].diffuse == v[2].diffuse && v[0].diffuse == v[3].diffuse;
  const int area = (q.col1 - q.col0 + 1) * (q.row1 - q.row0 + 1);
  TexelSteps across, down;
  if (oneColour && area >= kCutArea && OneTexelPerPixel(q.x0, q.x1, sa, sb, &across) &&
      OneTexelPerPixel(q.y0, q.y1, ta, tb, &down)) {
    return RecordShowingTiles(state, v, q, coverage, across, down);
  }
  int64_t s0, s1, t0, t1;
  if (TexelSpan(q.x0, q.x1, sa, sb, q.col0, q.col1, &s0, &s1) &&
      TexelSpan(q.y0, q.y1, ta, tb, q.row0, q.row1, &t0, &t1) && coverage.Transparent(s0, s1, t0, t1)) {
    return false;
  }
  Record(state, v);
  return true;
}

bool GlDevice::RecordShowingTiles(const State& state, const ScreenVertex v[4], const AxisQuad& q,
                                  const TexelCoverage& coverage, const TexelSteps& across,
                                  const TexelSteps& down) {
  const TileEdges columns(q.col0, q.col1 + 1, across);
  const TileEdges rows(q.row0, q.row1 + 1, down);
  // The texels sampled by pixels from..to-1.
  const auto texels = [](const TexelSteps& steps, int from, int to, int64_t* first, int64_t* last) {
    *first = std::min(steps.At(from), steps.At(to - 1));
    *last = std::max(steps.At(from), steps.At(to - 1));
  };
  int64_t s0, s1, t0, t1;
  if (!columns.complete || !rows.complete) {
    Record(state, v);
    return true;
  }
  if (columns.count == 2 && rows.count == 2) {  // within one tile
    texels(across, columns.at[0], columns.at[1], &s0, &s1);
    texels(down, rows.at[0], rows.at[1], &t0, &t1);
    if (coverage.Transparent(s0, s1, t0, t1)) return false;
    Record(state, v);
    return true;
  }
  // Runs of tiles that can show, row of tiles by row of tiles; a run just below one of the same
  // width lengthens it.
  parts_.clear();
  int64_t allS0, allS1;
  texels(across, columns.at[0], columns.at[columns.count - 1], &allS0, &allS1);
  for (int r = 0; r + 1 < rows.count; ++r) {
    texels(down, rows.at[r], rows.at[r + 1], &t0, &t1);
    if (coverage.Transparent(allS0, allS1, t0, t1)) continue;  // the whole row of tiles
    const auto add = [&](int left, int right) {
      for (QuadPart& above : parts_) {
        if (above.bottom == rows.at[r] && above.left == left && above.right == right) {
          above.bottom = rows.at[r + 1];
          return;
        }
      }
      parts_.push_back(QuadPart{left, right, rows.at[r], rows.at[r + 1]});
    };
    int runStart = -1;
    for (int c = 0; c + 1 < columns.count; ++c) {
      texels(across, columns.at[c], columns.at[c + 1], &s0, &s1);
      const bool shows = !coverage.Transparent(s0, s1, t0, t1);
      if (shows && runStart < 0) runStart = columns.at[c];
      if (!shows && runStart >= 0) {
        add(runStart, columns.at[c]);
        runStart = -1;
      }
    }
    if (runStart >= 0) add(runStart, columns.at[columns.count - 1]);
  }
  if (parts_.empty()) return false;
  // Wholly shown: the quad as it came.
  const QuadPart& first = parts_[0];
  if (parts_.size() == 1 && first.left == q.x0 && first.right == q.x1 && first.top == q.y0 && first.bottom == q.y1) {
    Record(state, v);
    return true;
  }
  // Each part keeps the quad's own texel coordinates at its edges: its pixels sample the texels
  // they sampled in the whole quad.
  const auto uAt = [&q](int x) { return static_cast<float>(q.u0 + (q.u1 - q.u0) * (x - q.x0) / (q.x1 - q.x0)); };
  const auto vAt = [&q](int y) { return static_cast<float>(q.v0 + (q.v1 - q.v0) * (y - q.y0) / (q.y1 - q.y0)); };
  for (const QuadPart& part : parts_) {
    ScreenVertex cut[4];
    for (int i = 0; i < 4; ++i) {
      const int x = (i & 1) ? part.right : part.left;
      const int y = (i & 2) ? part.bottom : part.top;
      cut[i] = ScreenVertex{static_cast<float>(x), static_cast<float>(y), v[i].z, v[i].rhw, v[i].diffuse, uAt(x), vAt(y)};
    }
    Record(state, cut);
  }
  return true;
}

void GlDevice::Record(const State& state, const ScreenVertex v[4]) {
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
  StopRepeating();
  deferring_ = false;
  Send();
  glFinish();
}

void GlDevice::SetShortcutsEnabled(bool enabled) {
  shortcuts_ = enabled;
  if (!enabled) framePlain_ = false;
  if (!enabled && deferring_) {
    StopRepeating();
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
  heldAsked_.clear();
  asked_.clear();
  repeating_ = false;
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
  StopRepeating();
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
