#pragma once
// The field scene. (Stand-in until the scene itself lands: its drawing hook, the operations the
// game flow calls, which fail or do nothing, and the record of a failed list load.)
#include "gameflow/scriptreader.h"
#include "platform/types.h"

class FieldScene : public ScriptReader {
 public:
  // Reads the field list at path + ".map". Stand-in: there is no field yet, so it fails and
  // records the failure.
  HRESULT LoadMap(const char* path);
  // Game mode 4: builds the scene's graphics and enters mode 5. Stand-in: nothing.
  HRESULT SetUpGraphics();
  // Game mode 5: one step of the scene. Stand-in: nothing.
  HRESULT Update();
  // Game mode 6 (and the destructor): frees the points, sprites and textures. Stand-in: nothing.
  HRESULT Release();
  void Draw();

  // The outcome of the last list load: a failed one is recorded with the list's file name, so
  // that the set-up can name it in the file-error message and quit ("#setfield" also records an
  // argument too long to be a file name this way). A list that loads clears the record.
  void MarkLoadFailed(const char* listPath);
  int HasLoadFailed() const { return loadFailed_; }
  const char* GetFailedListPath() const { return failedListPath_; }

 private:
  int loadFailed_ = 0;
  char failedListPath_[ScriptReader::kFileNameSize + 4] = {};
};

extern FieldScene g_FieldScene;
