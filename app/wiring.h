#pragma once
// Ties the windows of every folder to the registry and their print buttons to
// the exports. The program and the tests call the same functions, so a window or
// a print button left unwired shows up in the tests.

class WindowRegistry;

namespace Wiring {

// Registers every window of the program. The registration order is also the
// order in which the exit sequence closes them.
void registerWindows(WindowRegistry& registry);

// Connects the print buttons of the help, contents, licence and catalogue
// windows to their exports, and keeps the process alive while a built-in
// document window (which stands for the word processor) is open.
void connectPrinting(WindowRegistry& registry);

} // namespace Wiring
