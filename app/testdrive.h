#pragma once
// For tests only: lets the package test drive an installed copy of the program
// on a machine without a screen or a user (QT_QPA_PLATFORM=offscreen). main()
// calls startIfAsked() once the splash window is shown. It reads the environment
// variable LEXORIA_TEST_DRIVE and returns at once when that is unset, so the
// program a user starts never runs any of this.
//
//   LEXORIA_TEST_DRIVE=chooser  clicks the splash window; once the chooser is
//                               shown, prints "scelta: mostrata" on standard
//                               output and ends the program with status 0.
//   LEXORIA_TEST_DRIVE=guide    as chooser, then opens the guide's contents window
//                               and presses its Stampa (the whole guide). Documents
//                               are saved but not opened; every message box is
//                               printed as "messaggio: <text>" (lines joined by
//                               " / ") and answered with its default button; then
//                               the program ends with status 0.
//   LEXORIA_TEST_DRIVE=search   as chooser, then opens the search window, types
//                               "distanze" in its words field and presses Enter;
//                               prints the status line as it reads right after
//                               ("ricerca: <text>") and ends with status 0.
// An unknown value, or a step that is not reached within a minute, ends the
// program with status 1 and a line on standard error naming the step.

namespace TestDrive {

void startIfAsked();

} // namespace TestDrive
