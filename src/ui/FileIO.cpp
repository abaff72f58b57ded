#include "ui/FileIO.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include "ui/Text.h"

namespace ui {

long long g_failNextWriteAfter = -1;

namespace {
std::string Reason(const QFileDevice& file) {
  std::string reason = FromQString(file.errorString());
  return reason.empty() ? std::string("Unknown error") : reason;
}
}  // namespace

void WriteFileAtomic(const std::string& path, const std::string& bytes) {
  const QString qpath = ToQString(path);
  QSaveFile file(qpath);
  if (!file.open(QIODevice::WriteOnly))
    throw Exception("Cannot create file \"" + path + "\". " + Reason(file));
  long long limit = g_failNextWriteAfter;
  g_failNextWriteAfter = -1;
  const long long toWrite =
      limit >= 0 && limit < static_cast<long long>(bytes.size()) ? limit : static_cast<long long>(bytes.size());
  const qint64 written = file.write(bytes.data(), toWrite);
  if (written != toWrite || toWrite != static_cast<long long>(bytes.size())) {
    std::string reason = written != toWrite ? Reason(file) : std::string("No space left on device");
    file.cancelWriting();
    throw Exception("Cannot write file \"" + path + "\". " + reason);
  }
  if (!file.commit()) throw Exception("Cannot write file \"" + path + "\". " + Reason(file));
}

std::string ReadFileBytes(const std::string& path) {
  QFile file(ToQString(path));
  if (!file.open(QIODevice::ReadOnly)) {
    const std::string full = FromQString(QFileInfo(file).absoluteFilePath());
    throw Exception("Cannot open file \"" + full + "\". " + Reason(file));
  }
  const QByteArray data = file.readAll();
  if (file.error() != QFileDevice::NoError)
    throw Exception("Cannot read file \"" + path + "\". " + Reason(file));
  return std::string(data.constData(), static_cast<std::size_t>(data.size()));
}

}  // namespace ui
