// The window tests need a real X display; without one each test skips.
#include <QApplication>

#include <gtest/gtest.h>

#include <cstdlib>

// Qt's desktop-bus connection keeps a small allocation for the life of the process; it is not ours.
// Weak, so that the sound output's list (which holds this one too) wins where a test plays sound.
extern "C" __attribute__((weak)) const char* __lsan_default_suppressions() { return "leak:libdbus-1.so\n"; }

int main(int argc, char** argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    // Qt cannot start without a display; the offscreen platform lets the tests report their skip.
    if (const char* display = std::getenv("DISPLAY"); !display || !*display)
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QApplication app(argc, argv);
    return RUN_ALL_TESTS();
}
