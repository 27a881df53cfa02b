#include "act/itemmanager.h"

ItemManager g_ItemManager;
