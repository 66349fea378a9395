// Test entry point for code that needs a Qt application object (widgets,
// timers, queued calls). Runs headless under QT_QPA_PLATFORM=offscreen.
#include <gmock/gmock.h>

#include <QApplication>

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    if (qEnvironmentVariableIsEmpty("QT_MEDIA_BACKEND")) qputenv("QT_MEDIA_BACKEND", "gstreamer");
    QApplication application(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("cassivo-tests"));
    QApplication::setApplicationName(QStringLiteral("cassivo-tests"));
    testing::InitGoogleMock(&argc, argv);
    return RUN_ALL_TESTS();
}
