#include "librarysauce/textlog.h"

TextLog g_TextLog;

void TextLog::Draw() {}
