#pragma once

namespace app {

/// The program: reads the command line, creates the application object and
/// the delegate, and runs the event loop until the window closes.
class CassivoApp {
public:
    static int run(int argc, char** argv);
};

}  // namespace app
