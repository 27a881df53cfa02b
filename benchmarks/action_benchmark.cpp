// The action mode on the demo's first stage and on the stress stage (benchmarks/stressstage.h):
// the stage's load (map, graphics, sounds, the hero and the stage's actors), one running frame
// without presenting (update and draw phases, sent to GL and finished), and the update phase
// alone. The hero walks right and left in turn, slashes now and then and is kept healthy. On the
// stress stage every enemy is awake and the shot table is kept full. CPU time is the game
// thread's.
#include <benchmark/benchmark.h>

#include <cstring>
#include <string>

#include "act/actionscene.h"
#include "act/items/itemmanager.h"
#include "act/mapmodel.h"
#include "act/mobs/mob.h"
#include "act/mobs/mobmanager.h"
#include "act/mobs/mobshotmanager.h"
#include "act/player.h"
#include "benchmarks/benchgame.h"
#include "benchmarks/stressstage.h"
#include "gameflow/gamestate.h"
#include "gameflow/scenearrays.h"
#include "platform/input.h"
#include "tests/demoplay.h"

// The enemy's fields that no game operation sets from outside (the stress stage wakes them all).
struct MobTestAccess {
  static int& Active(Mob& mob) { return mob.active_; }
};

namespace {

constexpr char kStressStage[] = "stress";

// Wakes every enemy, as if the hero had passed them all.
int WakeAll() {
  int awake = 0;
  for (int i = 0; i < g_MobManager.GetCount(); ++i) {
    if (Mob* mob = g_MobManager.GetMob(i)) {
      MobTestAccess::Active(*mob) = 1;
      ++awake;
    }
  }
  return awake;
}

// Every free slot of the shot table gets a bullet, fired by the enemies in turn.
void FillShotTable() {
  static int owner = 0;
  const int enemies = g_MobManager.GetCount();
  for (int slot = 0; slot < g_MobShotManager.GetCount() && enemies > 0; ++slot) {
    if (g_MobShotManager.GetKind(slot) != MobShotKind::Free) continue;
    for (int tries = 0; tries < enemies; ++tries) {
      owner = (owner + 1) % enemies;
      if (g_MobManager.GetKind(owner) != 0) break;
    }
    g_MobShotManager.Spawn(MobShotKind::NormalBullet, owner);
  }
}

// The crowded stage of side × side cells, by its stage name.
std::string CrowdedStage(int64_t side) { return "crowded" + std::to_string(side); }

// The stage list holds the one stage, started as "#setaction" starts it. A crowded stage is
// written when first asked for.
bool StartStage(const std::string& name) {
  benchgame::EnterGame();
  static const bool written = stressstage::Write(kStressStage);
  if (!written) return false;
  if (name.rfind("crowded", 0) == 0 &&
      !stressstage::WriteCrowded(name.c_str(), std::stoi(name.substr(std::strlen("crowded"))))) {
    return false;
  }
  g_MapModel.SetStageList(name.c_str());
  g_GameState.SetMode(GameMode::ActionStart);
  return benchgame::RunUntil(demoplay::StageRuns);
}

// The hero's keys for frame n: half a second right, half a second left, a slash every 40 frames.
void HeroKeys(int64_t frame) {
  uint8_t* keys = platform::GetScriptedInput()->keys;
  const bool right = frame % 60 < 30;
  keys[platform::DIK_RIGHT] = right ? platform::kPressed : 0;
  keys[platform::DIK_LEFT] = right ? 0 : platform::kPressed;
  keys[platform::DIK_Z] = frame % 40 == 0 ? platform::kPressed : 0;
}

// Frames of a running stage, the hero kept at full HP and MP; a stage starting again all the same
// (a fall) is counted.
void MeasureStageFrames(benchmark::State& state, const std::string& stage, bool draw) {
  if (!StartStage(stage)) {
    state.SkipWithError("the stage did not start");
    benchgame::LeaveStage();
    return;
  }
  const bool stress = stage == kStressStage;
  if (stress) state.counters["awake"] = WakeAll();
  int64_t frame = 0;
  int64_t restarts = 0;
  for (auto _ : state) {
    HeroKeys(frame++);
    if (stress) FillShotTable();
    // The hero drinks as he goes: a stage restart would land its load in the frames.
    g_Player.Recover(0, RecoverKind::HpFull);
    g_Player.Recover(0, RecoverKind::MpFull);
    if (draw) {
      benchgame::RunUnpresentedFrame();
    } else {
      g_GameState.Dispatch();
    }
    if (g_GameState.GetMode() == GameMode::ActionStart) ++restarts;
  }
  state.counters["restarts"] = static_cast<double>(restarts);
  if (stress) {
    int shots = 0;
    for (int slot = 0; slot < g_MobShotManager.GetCount(); ++slot) shots += g_MobShotManager.GetKind(slot) != 0;
    state.counters["shots"] = shots;  // after the last frame
    int items = 0;
    for (int slot = 0; slot < g_ItemManager.GetCount(); ++slot) items += g_ItemManager.GetKind(slot) != ItemKind::Free;
    state.counters["items"] = items;
  }
  benchgame::LeaveStage();
}

void MeasureStageLoad(benchmark::State& state, const std::string& stage) {
  if (!StartStage(stage)) {
    state.SkipWithError("the stage did not start");
    benchgame::LeaveStage();
    return;
  }
  for (auto _ : state) {
    state.PauseTiming();
    g_ActionScene.Unload();
    g_GameState.SetMode(GameMode::ActionStart);
    state.ResumeTiming();
    g_GameState.Dispatch();
  }
  if (g_GameState.GetMode() != GameMode::ActionRun) state.SkipWithError("the stage did not load");
  benchgame::LeaveStage();
}

void BM_StageLoadDemo(benchmark::State& state) { MeasureStageLoad(state, "stage01"); }
void BM_ActionFrameDemo(benchmark::State& state) { MeasureStageFrames(state, "stage01", true); }
void BM_ActionUpdateDemo(benchmark::State& state) { MeasureStageFrames(state, "stage01", false); }

void BM_StageLoadStress(benchmark::State& state) { MeasureStageLoad(state, kStressStage); }
void BM_ActionFrameStress(benchmark::State& state) { MeasureStageFrames(state, kStressStage, true); }
void BM_ActionUpdateStress(benchmark::State& state) { MeasureStageFrames(state, kStressStage, false); }

// A map that is all enemies (a Kedama in every cell but the ground row): the start takes time in
// proportion to the cells, and a running frame looks at every sleeping enemy.
void BM_StageLoadCrowded(benchmark::State& state) {
  MeasureStageLoad(state, CrowdedStage(state.range(0)));
  state.SetComplexityN(state.range(0) * state.range(0));
}
void BM_ActionUpdateCrowded(benchmark::State& state) { MeasureStageFrames(state, CrowdedStage(state.range(0)), false); }

BENCHMARK(BM_StageLoadDemo)->UseRealTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ActionFrameDemo)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ActionUpdateDemo)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_StageLoadStress)->UseRealTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ActionFrameStress)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ActionUpdateStress)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_StageLoadCrowded)->Arg(75)->Arg(150)->Arg(300)->Complexity(benchmark::oN)->UseRealTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ActionUpdateCrowded)->Arg(300)->Unit(benchmark::kMicrosecond);

}  // namespace
