// Script upload: the files named in List go into the GSM module one after another. Each file
// is announced with its name and size ("AT#WSCRIPT=name,size"); on the module's ">>>" prompt
// the receive loop sends the file's bytes (PromptTest); the module's "OK" ends the file and
// the next one is announced. Prubeh shows the progress (maximum 7) and disappears when the
// list is exhausted.
#include <QDir>

#include "app/TForm1.h"
#include "connection/Commands.h"
#include "ui/FileIO.h"
#include "ui/Runtime.h"
#include "ui/Text.h"

namespace {

constexpr int kUploadSteps = 7;
constexpr int kAnnouncePauseMs = 500;  // the module settles after storing a file

// "AT#WSCRIPT=" + the list line as written + "," + the size: logged, then sent.
void Announce(TForm1& f, int size) {
  const std::string text = cmd::kWriteScript + f.List.Line(f.V.uploadIndex) + "," + ui::IntToStr(size);
  f.Monitor.Add(text);
  f.Send(text + cmd::kCRLF);
}

// The lines of an upload list file: CR LF or LF alone ends a line (a lone CR stays in the
// line, unlike in the other text files); the lines stay as written.
std::vector<std::string> ListFileLines(const std::string& text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find('\n', start);
    const std::size_t next = end == std::string::npos ? text.size() : end + 1;
    if (end == std::string::npos) end = text.size();
    if (end > start && text[end - 1] == '\r') --end;
    lines.push_back(text.substr(start, end - start));
    start = next;
  }
  return lines;
}

}  // namespace

void TForm1::LoadListClick() {
  OpenDialog1.InitialDir = ui::FromQString(QDir::currentPath());
  OpenDialog1.Filter = "info for download (*.ifo)|*.ifo";
  if (!OpenDialog1.Execute()) return;
  // Appended: loading two lists gives both, in order.
  for (const std::string& line : ListFileLines(ui::ReadFileBytes(OpenDialog1.FileName))) List.Add(line);
}

void TForm1::ClrListClick() { List.Clear(); }

int TForm1::LoadUploadFile(int index) {
  // Past the end of the list (it was cleared meanwhile), at its end or at an empty line: the
  // upload is over, quietly.
  if (index > List.Count()) {
    Prubeh.SetVisible(false);
    return 0;
  }
  V.uploadIndex = index;
  V.uploadBuffer.clear();
  const std::string name = List.Line(index);
  if (name.empty()) {
    Prubeh.SetVisible(false);
    return 0;
  }
  // A file that cannot be read whole, or holds nothing, ends the upload with an error that
  // names the list line, so that no truncated file is sent and the bar does not stay behind.
  std::string reason;
  try {
    V.uploadBuffer = ui::ReadFileBytes(name);
    if (V.uploadBuffer.empty()) reason = "the file is empty";
  } catch (const std::exception& e) {
    reason = e.what();
  }
  if (!reason.empty()) {
    V.uploadBuffer.clear();
    V.uploadInProgress = false;
    Prubeh.SetVisible(false);
    throw ui::Exception("Upload stopped at line " + ui::IntToStr(index + 1) + " of the list (\"" + name +
                        "\"): " + reason);
  }
  return static_cast<int>(V.uploadBuffer.size());
}

void TForm1::UpgradeClick() {
  const int size = LoadUploadFile(0);
  if (size <= 0) return;
  Prubeh.SetMax(kUploadSteps);
  Prubeh.SetVisible(true);
  Prubeh.SetPosition(1);
  V.uploadInProgress = true;
  Announce(*this, size);
}

void TForm1::UploadOkStep() {
  // Whatever command this "OK" answers, it ends the current file.
  ++V.uploadIndex;
  Prubeh.SetPosition(V.uploadIndex);
  V.uploadInProgress = false;
  const int size = LoadUploadFile(V.uploadIndex);
  if (size <= 0) return;
  V.uploadInProgress = true;
  ui::Pause(kAnnouncePauseMs);
  Announce(*this, size);
}
