#include "field/fieldscene.h"

FieldScene g_FieldScene;

void FieldScene::Draw() {}
