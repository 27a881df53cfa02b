#include "act/attackeffectmanager.h"

AttackEffectManager g_AttackEffectManager;
