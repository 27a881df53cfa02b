#include "act/mapmodel.h"

#include <cstring>

MapModel g_MapModel;

namespace {
const char kStageDirectory[] = ".\\Data\\Script\\act_stage\\";
}  // namespace

HRESULT MapModel::SetStageList(const char* text) {
  if (!text) return E_FAIL;
  std::vector<std::string> paths;
  const char* name = text;
  for (;;) {
    const char* comma = std::strchr(name, ',');
    const size_t length = comma ? static_cast<size_t>(comma - name) : std::strlen(name);
    if (sizeof kStageDirectory - 1 + length + 1 > static_cast<size_t>(kStagePathSize)) return E_FAIL;
    char BuffFileName[kStagePathSize] = {};
    std::memcpy(BuffFileName, kStageDirectory, sizeof kStageDirectory - 1);
    std::memcpy(BuffFileName + sizeof kStageDirectory - 1, name, length);
    paths.emplace_back(BuffFileName);
    if (!comma) break;
    name = comma + 1;
  }
  stagePaths_ = std::move(paths);
  stageCount_ = static_cast<int>(stagePaths_.size());
  // A shorter list than the one before must not leave the current stage past its end.
  if (stageIndex_ >= stageCount_) stageIndex_ = stageCount_ - 1;
  return S_OK;
}

const char* MapModel::GetStagePath(int index) const {
  if (index < 0 || index >= stageCount_) return nullptr;
  return stagePaths_[static_cast<size_t>(index)].c_str();
}

void MapModel::NextStage() {
  stageIndex_ += 1;
  if (stageIndex_ >= stageCount_) stageIndex_ = stageCount_ - 1;
}

MapModel::~MapModel() { Release(); }

void MapModel::Release() {
  stagePaths_.clear();
  stageCount_ = 0;
}
