#pragma once
// The field scene. (First stand: its drawing hook only.)

class FieldScene {
 public:
  void Draw();
};

extern FieldScene g_FieldScene;
