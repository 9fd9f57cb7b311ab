// Stands for MSVC's <crtdbg.h>: Wine's lacks the report file (_CrtSetReportFile, _CRTDBG_MODE_FILE,
// _CRTDBG_FILE_STDERR) that GoogleTest sets.
#pragma once
#include_next <crtdbg.h>
#define _CRTDBG_MODE_FILE 0x1
#define _CRTDBG_MODE_DEBUG 0x2
#define _CRTDBG_FILE_STDERR ((void*)-5)
#define _CrtSetReportFile(t, f) ((void*)0)
