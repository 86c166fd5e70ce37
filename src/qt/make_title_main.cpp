// Paints the title picture shown at start-up (sekiba_title_0.jpg) with the game's
// own artwork, at three times the table's size.
#include <QApplication>
#include <QImage>
#include <cstdio>

#include "qt/qt_platform.h"
#include "qt/title_picture.h"

using namespace sekiba;

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: %s OUT.jpg\n", argv[0]);
    return 2;
  }
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  QtPlatform os;
  const Surface pic = paint_title_picture(os, kTitleScale);
  QImage img(reinterpret_cast<const uchar*>(pic.px.data()), pic.w, pic.h, pic.w * 4,
             QImage::Format_RGB32);
  if (!img.save(QString::fromLocal8Bit(argv[1]), "JPG", 92)) {
    std::fprintf(stderr, "cannot write %s\n", argv[1]);
    return 1;
  }
  return 0;
}
