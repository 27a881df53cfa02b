#include "act/mobmanager.h"

MobManager g_MobManager;
