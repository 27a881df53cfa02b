#include "fuzz/loaderinputs.h"

#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "act/actionscene.h"
#include "act/mapmodel.h"
#include "field/fieldscene.h"
#include "gameflow/gamestate.h"
#include "gameflow/listfile.h"
#include "gameflow/scenearrays.h"
#include "gameflow/scriptreader.h"
#include "librarysauce/fileio.h"
#include "librarysauce/filescrambler.h"
#include "librarysauce/keyconfig.h"
#include "librarysauce/mediaplayer.h"
#include "librarysauce/textlog.h"
#include "librarysauce/texture.h"
#include "novel/advscene.h"
#include "platform/clock.h"
#include "platform/input.h"
#include "platform/messagebox.h"
#include "platform/paths.h"
#include "startmenu/startmenu.h"
#include "tools/stagesource.h"

namespace loaderinput {
namespace {

constexpr int kLeftCtrl = 29;
// A frame's worth of clock: the ADV scene's text waits (100 ms) pass in one frame.
constexpr uint32_t kFrameMs = 120;
uint32_t g_nowMs = 1000000;

// Writes bytes at a game path as the game stores a data file (the game's own writer scrambles
// them and makes the folder).
void WriteDataFile(const char* gamePath, const uint8_t* data, size_t size) {
  std::vector<uint8_t> bytes(data, data + size);
  g_FileIO.WriteWholeFile(gamePath, bytes.data(), static_cast<uint32_t>(bytes.size()));
}

void WriteText(const char* gamePath, const char* text) {
  WriteDataFile(gamePath, reinterpret_cast<const uint8_t*>(text), std::strlen(text));
}

// Keys for the frames: a menu's or the field's Down and Z in turn; the stage's Right held with
// Z and X in turn. Ctrl is held all the time (the ADV scene then runs a command a frame).
void SetKeys(int frame, bool stage) {
  platform::ScriptedInput* input = platform::GetScriptedInput();
  std::memset(input->keys, 0, sizeof input->keys);
  input->keys[kLeftCtrl] = platform::kPressed;
  if (stage) {
    input->keys[platform::DIK_RIGHT] = platform::kPressed;
    input->keys[frame % 2 ? platform::DIK_Z : platform::DIK_X] = platform::kPressed;
    return;
  }
  if (frame % 4 == 0) input->keys[platform::DIK_DOWN] = platform::kPressed;
  if (frame % 4 == 2) input->keys[platform::DIK_Z] = platform::kPressed;
}

// Frames of the game's update step, until the game would quit.
void PlayFrames(int frames, bool stage = false) {
  for (int frame = 0; frame < frames && g_GameState.GetMode() != GameMode::Quit; ++frame) {
    SetKeys(frame, stage);
    g_GameState.Dispatch();
    g_nowMs += kFrameMs;
  }
}

// Everything a feed may have opened goes, as far as the game itself lets it go.
void ReleaseScenes() {
  g_StartMenu.Release();
  g_FieldScene.Release();
  g_AdvScene.Release();
  g_ActionScene.Unload();
  g_SceneArrays.Release();
  g_MediaPlayerPool.CloseAll();
  g_MediaPlayerPool.FreeAll();
  g_MainScript.Release();
  g_TextLog.Reset();
  g_GameState.SetMode(GameMode::MainScript);
  g_GameState.SetNextMode(GameMode::MainScript);
  std::error_code ec;
  std::filesystem::remove_all("SAVE", ec);
}

// The input put at gamePath, the game started at a main script of the one line that opens it,
// and the frames that follow; then every scene goes.
void PlayFromMainScript(const char* gamePath, const uint8_t* data, size_t size, const char* mainScript, int frames,
                        bool stage = false) {
  WriteDataFile(gamePath, data, size);
  WriteText(GameState::kMainScriptPath, mainScript);
  g_GameState.SetMode(GameMode::MainScript);
  PlayFrames(frames, stage);
  ReleaseScenes();
}

}  // namespace

void PrepareProcess() {
  platform::SetMessageBoxHandler(
      [](const std::string&, const std::string&, platform::MessageBoxKind) { return platform::MessageBoxAnswer::Ok; });
  platform::SetTimeSource([] { return g_nowMs; });
  platform::SetScriptedInput(platform::ScriptedInput{});
}

void MainScript(const uint8_t* data, size_t size) {
  WriteDataFile(GameState::kMainScriptPath, data, size);
  g_GameState.SetMode(GameMode::MainScript);
  PlayFrames(8);
  ReleaseScenes();

  // As a menu entry's script: run where the start menu runs it, then the frames it leads to.
  const char entryPath[] = ".\\Data\\Script\\stm\\entry.cnn";
  WriteDataFile(entryPath, data, size);
  g_GameState.SetMode(GameMode::StartMenuRun);
  g_MainScript.LoadFile(entryPath);
  g_MainScript.RunMainScript();
  PlayFrames(8);
  ReleaseScenes();
}

void AdvScript(const uint8_t* data, size_t size) {
  PlayFromMainScript(".\\Script\\adv\\fuzz.txt", data, size, "#setnovel fuzz.txt\r\n", 60);
}

void StartMenuList(const uint8_t* data, size_t size) {
  PlayFromMainScript(".\\Data\\Script\\stm\\fuzz.stm", data, size, "#setstartmenu fuzz\r\n", 30);
}

void FieldList(const uint8_t* data, size_t size) {
  PlayFromMainScript(".\\Data\\Script\\map\\fuzz07.map", data, size, "#setfield fuzz07\r\n", 30);
}

void StageMap(const uint8_t* data, size_t size) {
  PlayFromMainScript(".\\Data\\Script\\act_stage\\fuzz.cnn", data, size, "#setaction fuzz\r\n", 30, true);
  g_MapModel.Release();
}

void StageSource(const uint8_t* data, size_t size) {
  std::string map;
  std::string error;
  stagesource::Compile(std::string(reinterpret_cast<const char*>(data), size), &map, &error);
}

void Picture(const uint8_t* data, size_t size) {
  // Pictures are scrambled over their whole length.
  const char gamePath[] = ".\\Data\\Graphic\\fuzz.bmp";
  const std::string path = platform::ResolvePath(gamePath);
  std::filesystem::create_directories(std::filesystem::path(path).parent_path());
  FILE* file = std::fopen(path.c_str(), "wb");
  if (!file) return;
  std::vector<uint8_t> bytes(data, data + size);
  g_FileScrambler.XorBufferAll(bytes.data(), bytes.data(), static_cast<uint32_t>(bytes.size()));
  std::fwrite(bytes.data(), 1, bytes.size(), file);
  std::fclose(file);
  Texture texture;
  texture.LoadConverted(gamePath, 0xFF00FF00);
}

void KeyConfiguration(const uint8_t* data, size_t size) {
  WriteDataFile(KeyConfig::kFilePath, data, size);
  g_KeyConfig.Load();
  // Whatever the file holds, every logical button ends on a controller button the input reads.
  for (int i = 0; i < KeyConfig::kButtonCount; ++i) {
    const int number = g_KeyConfig.GetJoyButton(static_cast<LogicalButton>(i));
    if (number < 0 || number > 31) __builtin_trap();
  }
}

void ListText(const uint8_t* data, size_t size) {
  ListError error;
  ReadListShape(reinterpret_cast<const char*>(data), size, StartMenu::kFieldMax,
                [](const char* begin, const char* end, std::string* reason) {
                  ListField fields[StartMenu::kFieldCount];
                  if (!SplitListLine(begin, end, StartMenu::kFieldCount, StartMenu::kFieldMax, fields, reason))
                    return false;
                  long value = 0;
                  for (int i : {0, 5, 6, 7, 8}) {
                    if (!ParseListInteger(fields[i].begin, fields[i].end, &value)) return false;
                  }
                  return ParseListLeadingInteger(fields[9].begin, fields[9].end, &value);
                },
                &error);
}

const Loader* FindLoader(const char* name) {
  static const Loader kLoaders[] = {
      {"mainscript", MainScript}, {"advscript", AdvScript},     {"startmenu", StartMenuList},
      {"fieldlist", FieldList},   {"stagemap", StageMap},       {"stagesource", StageSource},
      {"picture", Picture},       {"keyconfig", KeyConfiguration}, {"listtext", ListText},
  };
  for (const Loader& loader : kLoaders) {
    if (std::strcmp(loader.name, name) == 0) return &loader;
  }
  return nullptr;
}

}  // namespace loaderinput
