// Test entry: one QApplication on the offscreen platform for every suite.
#include <gtest/gtest.h>

#include <QApplication>
#include <cstdlib>

int main(int argc, char** argv) {
  if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("VIRodo"));
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
