#include "ui/Png.h"

#include <png.h>

#include <QFile>
#include <cstddef>
#include <cstring>

namespace ui {
namespace {
// Anything bigger than this is treated as corrupt rather than allocated.
constexpr png_uint_32 kMaxSide = 32768;
constexpr std::size_t kMaxPixels = std::size_t{64} * 1024 * 1024;
}  // namespace

QImage DecodePng(const QByteArray& bytes) {
  if (bytes.isEmpty()) return {};
  png_image image;
  std::memset(&image, 0, sizeof image);
  image.version = PNG_IMAGE_VERSION;
  // libpng's simplified interface keeps its own error handling (no longjmp reaches us):
  // every failure comes back as a zero result with the reason in image.message.
  if (!png_image_begin_read_from_memory(&image, bytes.constData(), static_cast<std::size_t>(bytes.size())))
    return {};
  if (image.width == 0 || image.height == 0 || image.width > kMaxSide || image.height > kMaxSide ||
      std::size_t{image.width} * image.height > kMaxPixels) {
    png_image_free(&image);
    return {};
  }
  // BGRA in memory is what QImage::Format_ARGB32 holds on a little-endian machine; ARGB
  // order is its layout on a big-endian one.
#if Q_BYTE_ORDER == Q_LITTLE_ENDIAN
  image.format = PNG_FORMAT_BGRA;
#else
  image.format = PNG_FORMAT_ARGB;
#endif
  QImage out(static_cast<int>(image.width), static_cast<int>(image.height), QImage::Format_ARGB32);
  if (out.isNull()) {
    png_image_free(&image);
    return {};
  }
  if (!png_image_finish_read(&image, nullptr, out.bits(), static_cast<png_int_32>(out.bytesPerLine()), nullptr))
    return {};  // finish_read frees the image's state on failure as well
  return out;
}

QImage LoadPng(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return {};
  return DecodePng(file.readAll());
}

}  // namespace ui
