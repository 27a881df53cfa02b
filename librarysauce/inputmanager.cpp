#include "librarysauce/inputmanager.h"

InputManager g_InputManager;
