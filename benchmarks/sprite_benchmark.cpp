// Drawing cost of a frame of sprites: N textured, alpha-blended 32×32 sprites from four
// textures, walked from the draw list and drawn by the game's device into its framebuffer
// object, with the GL work finished inside the timed region. The same quads drawn through SDL's
// own renderer (OpenGL back end, batching on) are the yardstick.
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "benchmarks/benchgame.h"
#include "librarysauce/framemanager.h"
#include "librarysauce/sprite.h"
#include "librarysauce/texture.h"
#include "platform/gldevice.h"
#include "platform/sdlrenderbench.h"
#include "tests/textureaccess.h"

namespace {

constexpr int kTextureCount = 4;
constexpr int kSpriteSize = 32;
constexpr int kRunLength = 64;  // consecutive sprites sharing a texture, as a scene's ranges do

// A disc with soft edges and transparent corners, tinted per texture.
std::vector<uint32_t> DiscTexels(int index) {
  static const uint32_t kTints[kTextureCount] = {0xFF4080, 0x80FF40, 0x4080FF, 0xFFC040};
  std::vector<uint32_t> texels(kSpriteSize * kSpriteSize);
  for (int y = 0; y < kSpriteSize; ++y) {
    for (int x = 0; x < kSpriteSize; ++x) {
      const int dx = 2 * x - kSpriteSize + 1, dy = 2 * y - kSpriteSize + 1;
      const int d2 = dx * dx + dy * dy, r2 = kSpriteSize * kSpriteSize;
      const uint32_t alpha = d2 >= r2 ? 0 : d2 >= r2 * 3 / 4 ? 0x80 : 0xFF;
      texels[y * kSpriteSize + x] = (alpha << 24) | kTints[index];
    }
  }
  return texels;
}

// The textures and the sprites of the current size, on the game's device.
struct Scene {
  platform::GlDevice& device = *BenchDevice();
  std::unique_ptr<Texture[]> textures;
  std::vector<std::unique_ptr<Sprite>> sprites;
  platform::SdlRenderBench sdl;
  bool sdlReady = false;
  int count = -1;
  std::string error;

  bool Start() {
    textures = std::make_unique<Texture[]>(kTextureCount);
    std::vector<std::vector<uint32_t>> texels;
    for (int i = 0; i < kTextureCount; ++i) {
      texels.push_back(DiscTexels(i));
      TextureTestAccess::Set(&textures[i], device.CreateTexture(kSpriteSize, kSpriteSize, texels.back().data()),
                             kSpriteSize, kSpriteSize);
    }
    sdlReady = sdl.Create(texels, kSpriteSize, &error);
    if (!sdlReady) std::fprintf(stderr, "SDL renderer yardstick unavailable: %s\n", error.c_str());
    return true;
  }

  // Builds n sprites spread over the screen, registered and drawn once so their vertices exist.
  void Populate(int n) {
    g_TextureTable = textures.get();
    g_TextureTableCount = kTextureCount;
    if (n == count) return;
    for (auto& sprite : sprites) sprite->Unregister();
    sprites.clear();
    uint32_t seed = 12345;
    auto next = [&seed](int range) {
      seed = seed * 214013u + 2531011u;
      return static_cast<int>((seed >> 16) & 0x7FFF) % range;
    };
    for (int i = 0; i < n; ++i) {
      auto sprite = std::make_unique<Sprite>();
      sprite->SetTexture((i / kRunLength) % kTextureCount);
      sprite->SetSrcPos(0, 0);
      sprite->SetSize(kSpriteSize, kSpriteSize);
      sprite->SetPos(static_cast<float>(next(platform::GlDevice::kWidth - kSpriteSize)),
                     static_cast<float>(next(platform::GlDevice::kHeight - kSpriteSize)));
      sprite->SetDepth(static_cast<uint32_t>(i));  // each one goes to the head: a quick insert
      sprite->SetBlendMode(BlendMode::Alpha);
      sprite->SetScale(1, 1);
      sprite->SetColor(0xFFFFFFFF);
      sprite->Register();
      sprite->Show();
      sprites.push_back(std::move(sprite));
    }
    DrawFrame();
    count = n;
    if (sdlReady) {
      std::vector<platform::ScreenVertex> vertices;
      std::vector<int> textureOfQuad;
      for (Sprite* s = g_FrameManager.GetHead(); s; s = s->GetNext()) {
        const SprVertex* v = s->GetVertexBuffer();
        vertices.insert(vertices.end(), v, v + Sprite::kVertexCount);
        SpriteState state;
        textureOfQuad.push_back(s->GetState(&state)->textureIndex);
      }
      sdl.SetQuads(vertices, textureOfQuad);
    }
  }

  // Takes the sprites out of the draw list, for the benchmarks that follow.
  void Leave() {
    device.SetShortcutsEnabled(true);
    for (auto& sprite : sprites) sprite->Unregister();
    sprites.clear();
    count = -1;
    g_TextureTable = nullptr;
    g_TextureTableCount = 0;
  }

  // One frame's drawing, as the frame cycle does it, finished on the GL side.
  void DrawFrame() {
    device.Clear(0x00000000);
    device.BeginScene();
    for (Sprite* s = g_FrameManager.GetHead(); s; s = s->GetNext()) s->Draw(&device);
    device.EndScene();
    device.Finish();
  }
};

Scene* TheScene() {
  static Scene* scene = [] {
    auto* s = new Scene;
    if (!s->Start()) {
      std::fprintf(stderr, "benchmark set-up failed: %s\n", s->error.c_str());
      std::exit(1);
    }
    return s;
  }();
  return scene;
}

// Static sprites: no vertex work, only the walk, the state and the batched quads, drawn every
// frame (a repeated frame would otherwise not be drawn at all).
void BM_GameSprites(benchmark::State& state) {
  Scene* scene = TheScene();
  scene->Populate(static_cast<int>(state.range(0)));
  scene->device.SetShortcutsEnabled(false);
  for (auto _ : state) scene->DrawFrame();
  state.counters["sprites/s"] = benchmark::Counter(static_cast<double>(state.iterations() * state.range(0)),
                                                   benchmark::Counter::kIsRate);
  scene->Leave();
}

// Every sprite moves every frame, so every one rebuilds its vertices.
void BM_GameSpritesMoving(benchmark::State& state) {
  Scene* scene = TheScene();
  scene->Populate(static_cast<int>(state.range(0)));
  float step = 1;
  for (auto _ : state) {
    for (auto& sprite : scene->sprites) sprite->Move(step, 0);
    step = -step;
    scene->DrawFrame();
  }
  scene->Leave();
}

// The same quads through SDL's renderer.
void BM_SdlRenderGeometry(benchmark::State& state) {
  Scene* scene = TheScene();
  if (!scene->sdlReady) {
    state.SkipWithError("no SDL OpenGL renderer");
    return;
  }
  scene->Populate(static_cast<int>(state.range(0)));
  for (auto _ : state) scene->sdl.DrawFrame();
  // The yardstick must have drawn the same picture: compare the colour at the topmost quad.
  const SprVertex* top = scene->sprites.front()->GetVertexBuffer();
  const int x = static_cast<int>(top[0].x) + kSpriteSize / 2, y = static_cast<int>(top[0].y) + kSpriteSize / 2;
  const uint32_t theirs = scene->sdl.PixelAt(x, y) & 0xFFFFFF;
  scene->sdl.ReturnToGame();
  scene->DrawFrame();
  std::vector<uint32_t> ours;
  scene->device.ReadPixels(x, y, 1, 1, &ours);
  if (ours.empty() || (ours[0] & 0xFFFFFF) != theirs) state.SkipWithError("SDL's renderer drew another picture");
  scene->Leave();
}

// Both, frame by frame in turn, so that whatever else the machine does weighs on both alike;
// the reported time is the game's, the counters give SDL's and the ratio.
void BM_GameVersusSdl(benchmark::State& state) {
  Scene* scene = TheScene();
  if (!scene->sdlReady) {
    state.SkipWithError("no SDL OpenGL renderer");
    return;
  }
  scene->Populate(static_cast<int>(state.range(0)));
  scene->device.SetShortcutsEnabled(false);
  using Clock = std::chrono::steady_clock;
  double gameSeconds = 0, sdlSeconds = 0;
  for (auto _ : state) {
    const auto t0 = Clock::now();
    scene->DrawFrame();
    const auto t1 = Clock::now();
    scene->sdl.Activate();
    const auto t2 = Clock::now();
    scene->sdl.DrawFrame();
    const auto t3 = Clock::now();
    scene->sdl.ReturnToGame();
    const double game = std::chrono::duration<double>(t1 - t0).count();
    gameSeconds += game;
    sdlSeconds += std::chrono::duration<double>(t3 - t2).count();
    state.SetIterationTime(game);
  }
  const double frames = static_cast<double>(state.iterations());
  state.counters["sdl_us"] = sdlSeconds / frames * 1e6;
  state.counters["game_over_sdl"] = sdlSeconds > 0 ? gameSeconds / sdlSeconds : 0;
  scene->Leave();
}

BENCHMARK(BM_GameVersusSdl)->Arg(800)->Arg(1000)->Arg(10000)->UseManualTime()->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_GameSprites)->Arg(800)->Arg(1000)->Arg(10000)->UseRealTime()->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_SdlRenderGeometry)->Arg(800)->Arg(1000)->Arg(10000)->UseRealTime()->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_GameSpritesMoving)->Arg(800)->Arg(10000)->UseRealTime()->Unit(benchmark::kMicrosecond);

}  // namespace
