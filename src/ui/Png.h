#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>

namespace ui {

// Decodes a PNG held in memory using libpng directly. Qt's own reader would first load
// every image plug-in it has to ask which formats they handle, which costs a noticeable
// part of the window's start-up for a few small icons. Any colour type, bit depth or
// palette comes back as QImage::Format_ARGB32 (straight alpha), or as a null QImage when
// the data is empty, truncated, corrupt or not a PNG at all.
QImage DecodePng(const QByteArray& bytes);

// Reads a Qt resource (":/name.png") or a plain file and decodes it with DecodePng().
// Returns a null QImage when the file is missing or corrupt.
QImage LoadPng(const QString& path);

}  // namespace ui
