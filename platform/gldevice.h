#pragma once
// The graphics device: an OpenGL 2.1 context on the game window, drawing every frame into an
// 854×480 RGBA framebuffer object that Present copies to the window. The operations mirror the
// fixed-function device the game is written for: clear, begin/end scene, present, textures on
// stage 0, blend and texture-stage states, and pre-transformed four-vertex triangle strips.
//
// Software GL pays for every pixel, so the device sends GL only what can change one. A frame,
// from Clear to EndScene, is first recorded: the clear colour, and every quad with the states it
// is drawn with. At EndScene a frame whose record equals that of the frame the framebuffer holds,
// with no texture created, changed or deleted since, is not drawn again: the framebuffer already
// holds exactly its pixels. Present then shows the window nothing new unless the framebuffer
// changed or the window lost its contents (exposed, resized). Quads that cannot change a pixel
// are left out: those that fill no pixel, and those wholly transparent under a blend that then
// adds nothing, whether by their vertex colour or by every texel they sample. A large quad that
// maps texels one to one onto whole pixels is drawn only in its 32-texel tiles that hold a
// visible texel. Fully opaque quads under plain alpha blending are drawn without blending. Each
// gives exactly the pixels of drawing everything.
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "platform/framepacer.h"
#include "platform/texelcoverage.h"

namespace platform {

struct AxisQuad;
struct TexelSteps;

// One pre-transformed vertex: screen pixels (z and rhw are carried but do not clip), ARGB colour,
// texture coordinates.
struct ScreenVertex {
  float x, y, z, rhw;
  uint32_t diffuse;
  float u, v;
};

enum class BlendOp { Add, ReverseSubtract };
enum class BlendFactor {
  Zero, One, SrcColor, InvSrcColor, SrcAlpha, InvSrcAlpha, DestAlpha, InvDestAlpha, DestColor, InvDestColor,
};
// How texture stage 0 colours a pixel: texel × vertex colour, or the vertex colour alone.
enum class TextureStageOp { Modulate, SelectDiffuse };

using TextureId = uint32_t;  // 0 = no texture

class GlDevice {
 public:
  static constexpr int kWidth = 854;
  static constexpr int kHeight = 480;

  // Creates the GL context on the game window and the framebuffer object.
  bool Create(std::string* error);
  void Release();
  bool IsCreated() const { return context_ != nullptr; }
  // The GL renderer's name (for the log and for tests that must know they have real GL).
  std::string RendererName() const;

  void Clear(uint32_t argb);
  void BeginScene();
  void EndScene();
  // Shows the frame in the window and keeps the 60 Hz pace when the swap did not wait.
  void Present();
  void SetPacingEnabled(bool enabled) { pacingEnabled_ = enabled; }

  // Textures: 32-bit ARGB pixels, rows top to bottom; null pixels leave the texture undefined.
  TextureId CreateTexture(int width, int height, const uint32_t* argb);
  void UpdateTexture(TextureId texture, int width, int height, const uint32_t* argb);
  void DeleteTexture(TextureId texture);

  // State for the next quads.
  void SetTexture(TextureId texture);
  void SetTextureStage(TextureStageOp op);
  void SetBlendEnabled(bool enabled);
  void SetBlendOp(BlendOp op);
  void SetBlendFactors(BlendFactor src, BlendFactor dst);
  void SetDepthTest(bool enabled);

  // Draws one four-vertex triangle strip (0,1,2 and 1,3,2 as the strip orders them).
  // Quads sharing the same state are sent to GL together; the order on screen is kept.
  void DrawQuadStrip(const ScreenVertex vertices[4]);

  // Finishes the queued GL work (benchmarks, read-back).
  void Finish();
  // Reads the framebuffer object back as ARGB words, row 0 at the top of the screen.
  bool ReadPixels(int x, int y, int width, int height, std::vector<uint32_t>* argb);

  // Off: every frame is drawn and presented and every quad sent, as recorded (benchmarks of the
  // drawing itself, and tests that compare both ways).
  void SetShortcutsEnabled(bool enabled);

  // Quads kept (drawn at least in part, not left out), frames drawn, frames not drawn because they
  // repeated the last one, and frames shown in the window.
  int QuadsDrawn() const { return quadsDrawn_; }
  int FramesDrawn() const { return framesDrawn_; }
  int FramesReused() const { return framesReused_; }
  int FramesPresented() const { return framesPresented_; }

 private:
  struct State {
    TextureId texture = 0;
    TextureStageOp stage = TextureStageOp::Modulate;
    bool blend = false;
    BlendOp op = BlendOp::Add;
    BlendFactor src = BlendFactor::One;
    BlendFactor dst = BlendFactor::Zero;
    bool operator==(const State& o) const {
      return texture == o.texture && stage == o.stage && blend == o.blend && op == o.op && src == o.src &&
             dst == o.dst;
    }
  };
  struct BatchVertex {
    float x, y;
    float u, v;
    uint8_t r, g, b, a;
  };
  // Consecutive quads drawn with one state.
  struct Batch {
    State state;
    size_t firstQuad;
    size_t quadCount;
  };
  // What a frame draws: the clear, then the quads in order.
  struct FrameRecord {
    bool cleared = false;
    uint32_t clearColor = 0;
    std::vector<Batch> batches;
    std::vector<BatchVertex> vertices;  // four per quad
    void Reset();
    bool SameAs(const FrameRecord& other) const;
  };

  void ForgetFrames();
  // Empties the current record, nothing of it sent.
  void ForgetRecord();
  // Sends GL whatever of the current record it has not been sent yet.
  void Send();
  // Ends the frame begun by Clear: draws it, or keeps the framebuffer when it repeats.
  void EndFrame();
  // Before a texture changes: quads recorded so far must be drawn with its old contents.
  void BeforeTextureChange();
  // The state a quad asked for with state is drawn with, or false when it cannot change a pixel.
  bool EffectiveState(const State& asked, const ScreenVertex v[4], State* state) const;
  // Records what can show of a quad asked for with state; false when nothing can.
  bool WorkOut(const State& asked, const ScreenVertex v[4]);
  // The frame stops repeating the held one: the quads it repeated so far are worked out.
  void StopRepeating();
  bool IsOpaqueTexture(TextureId texture) const;
  const TexelCoverage* Coverage(TextureId texture) const;  // null when its texels are not known
  // Whether a quad adds nothing where its texels are wholly transparent.
  bool TransparentTexelsAddNothing(const State& state) const;
  // Records what of an axis-aligned quad over known texels can show; false when nothing can.
  bool RecordShowingParts(const State& state, const ScreenVertex v[4], const AxisQuad& quad,
                          const TexelCoverage& coverage);
  // The same for a quad that maps texels one to one onto whole pixels: only its tiles holding a
  // visible texel, each row of them in runs.
  bool RecordShowingTiles(const State& state, const ScreenVertex v[4], const AxisQuad& quad,
                          const TexelCoverage& coverage, const TexelSteps& across, const TexelSteps& down);
  void Record(const State& state, const ScreenVertex v[4]);
  void NoteTextureContents(TextureId texture, int width, int height, const uint32_t* argb);
  void ApplyState(const State& state);

  void* context_ = nullptr;
  uint32_t framebuffer_ = 0;
  uint32_t colorTexture_ = 0;
  bool pacingEnabled_ = true;
  FramePacer pacer_{kGameFramePeriodNs, MonotonicNs, SleepUntilNs};

  State pending_;      // what the game asked for
  bool glStateKnown_ = false;
  State glState_;      // what GL holds now
  std::vector<uint32_t> quadIndices_;   // two triangles per quad, for the largest record so far

  bool shortcuts_ = true;
  FrameRecord frame_;        // recorded since Clear (or, outside a frame, since the last send)
  size_t sentQuads_ = 0;     // quads of frame_ already sent to GL
  bool clearSent_ = false;
  bool inFrame_ = false;     // between Clear and EndScene
  bool deferring_ = false;   // in a frame and nothing of it sent yet
  bool frameConsistent_ = true;  // no texture changed after the frame's first quad
  FrameRecord held_;         // the frame the framebuffer holds, when heldValid_
  bool heldValid_ = false;
  uint64_t textureEpoch_ = 0;  // counts texture creations, changes and deletions
  uint64_t heldEpoch_ = 0;     // the count when the held frame was drawn
  bool changedSincePresent_ = true;
  uint64_t exposuresSeen_ = 0;
  std::vector<TexelCoverage> coverage_;  // by texture id
  // The parts of a quad cut to what can show (kept to spare an allocation a quad).
  struct QuadPart {
    int left, right, top, bottom;
  };
  std::vector<QuadPart> parts_;

  // The quads a frame asked for, as asked: the state and the four vertices, and whether any of
  // it was kept. While a frame asks quad by quad for what the held frame asked (with no texture
  // changed since), the quads are only compared, not worked out again: a frame that repeats the
  // held one costs a comparison a quad. At the first difference the part that repeated is worked
  // out from the held frame's list and the frame goes on as any other.
  struct AskedQuad {
    AskedQuad() {}  // filled in place: the vertices are not cleared first
    State state;
    ScreenVertex v[4];
    bool kept = false;
    bool Same(const State& s, const ScreenVertex w[4]) const {
      return state == s && std::memcmp(v, w, sizeof v) == 0;
    }
  };
  static_assert(sizeof(ScreenVertex) == 28, "vertices are compared as bytes, without padding");
  std::vector<AskedQuad> asked_;      // this frame's, once it no longer repeats the held one
  std::vector<AskedQuad> heldAsked_;  // the held frame's
  bool repeating_ = false;            // this frame has so far asked for what the held one asked
  bool framePlain_ = false;           // this frame is worked out with the shortcuts throughout
  bool heldAskedPlain_ = false;       // and so was the held one: its list can stand for it
  size_t repeated_ = 0;               // quads of this frame that repeated the held frame's

  int quadsDrawn_ = 0;
  int framesDrawn_ = 0;
  int framesReused_ = 0;
  int framesPresented_ = 0;
};

}  // namespace platform
