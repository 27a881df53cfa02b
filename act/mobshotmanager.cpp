#include "act/mobshotmanager.h"

MobShotManager g_MobShotManager;
