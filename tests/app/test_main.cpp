// The app tests need a QApplication (the board is a widget); they run on the offscreen
// platform unless told otherwise.
//
// Once every test has run, the process ends at once instead of tearing down the application:
// on a loaded machine without an audio device the multimedia library's threads have, rarely,
// crashed or hung in that teardown after all tests had passed, which is no verdict on the
// tests. Sanitizer builds tear down as usual, so that the leak check still runs.
#include <QApplication>

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    const int result = RUN_ALL_TESTS();
#if defined(__SANITIZE_ADDRESS__)
    return result;
#else
    std::fflush(nullptr);
    std::_Exit(result);
#endif
}
