#pragma once
// The graphics device: an OpenGL 2.1 context on the game window, drawing every frame into an
// 854×480 RGBA framebuffer object that Present copies to the window. The operations mirror the
// fixed-function device the game is written for: clear, begin/end scene, present, textures on
// stage 0, blend and texture-stage states, and pre-transformed four-vertex triangle strips.
#include <cstdint>
#include <string>
#include <vector>

#include "platform/framepacer.h"

namespace platform {

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

  int QuadsDrawn() const { return quadsDrawn_; }

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

  void Flush();
  void ApplyState(const State& state);

  void* context_ = nullptr;
  uint32_t framebuffer_ = 0;
  uint32_t colorTexture_ = 0;
  bool pacingEnabled_ = true;
  FramePacer pacer_{1000000000LL / 60, MonotonicNs, SleepUntilNs};

  State pending_;      // what the game asked for
  State batchState_;   // what the queued vertices were drawn with
  bool glStateKnown_ = false;
  State glState_;      // what GL holds now
  std::vector<BatchVertex> batch_;       // four vertices per queued quad
  std::vector<uint32_t> quadIndices_;   // two triangles per quad, for the largest batch so far
  int quadsDrawn_ = 0;
};

}  // namespace platform
