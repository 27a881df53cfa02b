#pragma once
// The ADV (novel) scene. (First stand: its drawing hook only.)

class AdvScene {
 public:
  void DrawMessage();
};

extern AdvScene g_AdvScene;
