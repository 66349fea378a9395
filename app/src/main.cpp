#include <app/cassivo_app.hpp>

int main(int argc, char** argv) {
    return app::CassivoApp::run(argc, argv);
}
