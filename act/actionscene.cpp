#include "act/actionscene.h"

ActionScene g_ActionScene;

void ActionScene::DrawDebugPositions() {}
