#include <gtest/gtest.h>

#include <QGuiApplication>

// The pictures and fonts need a GUI application; the windows are scripted.
int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
