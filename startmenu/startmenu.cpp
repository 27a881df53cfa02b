#include "startmenu/startmenu.h"

StartMenu g_StartMenu;

HRESULT StartMenu::LoadMenu(const char*) { return E_FAIL; }
HRESULT StartMenu::SetUp() { return E_FAIL; }
HRESULT StartMenu::Update() { return S_OK; }
HRESULT StartMenu::Release() { return S_OK; }
void StartMenu::Draw() {}
