#include "librarysauce/fpscounter.h"

FpsCounter g_FpsCounter;

void FpsCounter::Draw() {}
