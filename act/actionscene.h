#pragma once
// The action scene. (First stand: its drawing hook only.)

class ActionScene {
 public:
  void DrawDebugPositions();
};

extern ActionScene g_ActionScene;
