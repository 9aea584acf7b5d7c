#pragma once
// Registers the archive windows: one per row of the archive table.

class WindowRegistry;

void registerBrowserWindows(WindowRegistry& registry);
