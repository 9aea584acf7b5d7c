#pragma once
// The windows of the on-line guide, by name: the twelve help windows, the
// licence terms, the contents window `sommario` and the tip of the day `frmTip`.

class WindowRegistry;

void registerHelpWindows(WindowRegistry& registry);
