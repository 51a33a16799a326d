// The application object: one per program.
#pragma once

#include <string>

namespace fw {

class Window;

class App {
  public:
    App();
    App(const App&) = delete;
    App& operator=(const App&) = delete;
    virtual ~App();

    // Runs once at start; returning false ends the program (a dialog-based program runs its
    // main dialog here and returns false).
    virtual bool initInstance() = 0;
    // Runs once the message loop has ended, before run() returns: windows that lived through the
    // loop go here, while the framework is still whole.
    virtual void exitInstance() {}

    // The caption of the framework's own message boxes.
    std::string title;
    // The help file opened by the help command (a bare name resolves against the current
    // directory).
    std::string helpFile;
    Window* mainWindow = nullptr;

    // Runs the program: initInstance, then, when it returned true, the message loop until
    // postQuit and exitInstance. Returns the exit code.
    int run();
    // Opens the help file with the platform's help viewer.
    void help();

    static App* current();
};

// Ends the message loop with this exit code.
void postQuit(int exitCode);

}  // namespace fw
