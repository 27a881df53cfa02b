#pragma once
// The map model: the list of stages that "#setaction" names and the current stage's map.
// (First stand: the stage list; the map itself comes with the action mode.)
#include <string>
#include <vector>

#include "gameflow/scriptreader.h"
#include "platform/types.h"

class MapModel : public ScriptReader {
 public:
  // Each stage's path is built in a buffer of this many bytes, final 0 included.
  static constexpr int kStagePathSize = 128;

  // Takes the comma-separated list of stage names (the rest of the "#setaction" line) and
  // makes one path ".\Data\Script\act_stage\" + name per stage, names taken as they stand.
  // A name whose path does not fit fails the whole list and keeps the previous one.
  HRESULT SetStageList(const char* text);
  // Path of stage index, or null when there is no such stage.
  const char* GetStagePath(int index) const;
  int GetStageCount() const { return stageCount_; }
  int GetStageIndex() const { return stageIndex_; }
  void Release();

 private:
  std::vector<std::string> stagePaths_;
  int stageIndex_ = 0;
  int stageCount_ = 0;
};

extern MapModel g_MapModel;
