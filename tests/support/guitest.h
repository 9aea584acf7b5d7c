#pragma once
// What every window test needs: the registry, a window's controls by name, a
// clean registry after each test function, and a guard that gives the settings
// the tests change for the whole process back to the program's defaults.

#include "shell/windowregistry.h"

#include <QObject>
#include <QString>

WindowRegistry& registry();

// Deletes the windows unloaded so far: their deletion waits for the event loop.
void flushDeletes();

// Unloads every window, forgets every registration and deletes what was unloaded.
void resetWindows();

// Stops the test program, naming the control of `type` that `window` lacks.
[[noreturn]] void missingControl(const QObject* window, const QString& name, const char* type);

// The control `name` of `window`. A missing control is a window built wrong and
// every caller goes on to use it, so the program stops at once (qFatal, which Qt
// Test reports as a failure of the running test function) with a message naming
// the control and the window.
template <typename T> T* control(const QObject* window, const QString& name)
{
    T* found = window ? window->findChild<T*>(name) : nullptr;
    if (!found)
        missingControl(window, name, T::staticMetaObject.className());
    return found;
}
template <typename T> T* control(const QObject* window, const char* name)
{
    return control<T>(window, QString::fromLatin1(name));
}

// While it lives a test may change the settings that hold for the whole process;
// when it goes, every one of them is back at the program's default:
//   - the presentation of documents (presentation.h): the mode, the search for
//     the word processor, the document folder, the handover time, the document
//     window hook and the handover hook;
//   - the recording of the word-processor calls (wordautomation.h), with its record;
//   - the desktop's open action (ModLexoria::setOpenUrlHandler);
//   - the dialog provider (Qt's dialogs again);
//   - the print of the help windows, of the licence terms, of the contents window
//     (the whole guide) and of the catalogue;
//   - the screen size override of the twips measures.
// A test function holds one from init() to cleanup(), so nothing it set reaches
// the next test function.
class ProcessSettingsGuard {
public:
    ProcessSettingsGuard() = default;
    ~ProcessSettingsGuard() { restoreDefaults(); }
    ProcessSettingsGuard(const ProcessSettingsGuard&) = delete;
    ProcessSettingsGuard& operator=(const ProcessSettingsGuard&) = delete;

    static void restoreDefaults();
};
