#pragma once

namespace app {

/// The application's name on the desktop: its menu entry, icon and metadata
/// are installed under it, and its windows say they belong to it.
inline constexpr const char* kApplicationID = "app.cassivo.Cassivo";

/// The program: reads the command line, creates the application object and
/// the delegate, and runs the event loop until the window closes.
class CassivoApp {
public:
    static int run(int argc, char** argv);
};

}  // namespace app
