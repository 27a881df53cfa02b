#include "librarysauce/gamefont.h"

GameFont g_Fonts[kFontSlotCount];
