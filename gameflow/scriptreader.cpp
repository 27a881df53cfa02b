// Stand-in until the script reader lands.
#include "gameflow/scriptreader.h"

ScriptReader g_MainScript;

ScriptReader::ScriptReader() = default;
ScriptReader::~ScriptReader() { Release(); }
HRESULT ScriptReader::LoadFile(const char*) { return E_FAIL; }
void ScriptReader::Release() {}
HRESULT ScriptReader::RunMainScript() { return E_FAIL; }
HRESULT ScriptReader::SetField() { return E_FAIL; }
