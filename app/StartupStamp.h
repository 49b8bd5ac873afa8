#pragma once
// For the start-up benchmark: prints "solved" on stdout when the status bar first reads "Solved...",
// then "painted" once it has been painted showing it, and quits. The bare window the program is
// measured against uses it too, so both stop the clocks at the same events.
class QStatusBar;

void StampStartup(QStatusBar* statusBar);
