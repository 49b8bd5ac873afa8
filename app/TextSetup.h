#pragma once
// Points the solar model's number formatter, number reader and time separator at the program's
// locale-aware helpers. Call it once at start-up, after the locale is settled (the time separator is
// taken at the call); the program, the command-line tool and the tests do.
void InstallTextHooks();
