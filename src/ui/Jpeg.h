#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>

namespace ui {

// Decodes a baseline or progressive JPEG held in memory using libjpeg directly
// (Qt's image plugins are not involved). Grayscale and CMYK pictures come back
// as RGB as well. The result is QImage::Format_RGB32, or a null QImage when
// the data is empty, truncated, corrupt or not a JPEG at all.
QImage DecodeJpeg(const QByteArray& bytes);

// Reads a Qt resource (":/name.jpg") or a plain file and decodes it with
// DecodeJpeg(). Returns a null QImage when the file is missing or corrupt.
QImage LoadJpeg(const QString& path);

}  // namespace ui
