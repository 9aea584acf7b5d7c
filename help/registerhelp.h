#pragma once
// The windows of the on-line guide, by name: the twelve help windows, the
// licence terms, the contents window `sommario` and the tip of the day `frmTip`.

class WindowRegistry;

void registerHelpWindows(WindowRegistry& registry);
// The help pages outside the guide (the search window's): registered after the
// windows they explain, so the exit sequence closes them last.
void registerPageWindowsOutsideTheGuide(WindowRegistry& registry);
