#pragma once
// The search window by name: `ricerca`.

class WindowRegistry;

void registerSearchWindows(WindowRegistry& registry);
