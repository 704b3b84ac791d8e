// The instrument tests run with a Qt application object: the serial port's
// Qt side and the simulator's child process need one.
#include <QCoreApplication>

#include <gtest/gtest.h>

int main(int argc, char **argv) {
    QCoreApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
