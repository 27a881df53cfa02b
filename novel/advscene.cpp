#include "novel/advscene.h"

AdvScene g_AdvScene;

void AdvScene::DrawMessage() {}
