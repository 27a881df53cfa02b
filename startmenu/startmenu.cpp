#include "startmenu/startmenu.h"

StartMenu g_StartMenu;

void StartMenu::Draw() {}
