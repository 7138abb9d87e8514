// Shared main of every test executable: a QApplication on the offscreen
// platform, so windows can be created, shown, clicked and grabbed headless.
#include <QApplication>
#include <gmock/gmock.h>

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    ::testing::InitGoogleMock(&argc, argv);
    return RUN_ALL_TESTS();
}
