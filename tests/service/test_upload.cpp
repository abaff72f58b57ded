// Script upload: the list, the files sent byte for byte, the progress bar, and how an upload
// ends.
#include <gtest/gtest.h>

#include <QDir>
#include <algorithm>
#include <fstream>
#include <functional>
#include <map>

#include "support/FormHarness.h"

namespace {

void WriteFile(const std::string& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary);
  out << bytes;
  ASSERT_TRUE(out.good()) << path;
}

// Relative names in the list are resolved against the working directory.
struct WorkingDirectory {
  QString previous = QDir::currentPath();
  explicit WorkingDirectory(const QString& dir) { QDir::setCurrent(dir); }
  ~WorkingDirectory() { QDir::setCurrent(previous); }
};

std::string AllByteValuesWithZerosAndCrLf() {
  std::string bytes("print('a')\r\n\0\0\r\n", 16);
  for (int b = 0; b < 256; ++b) bytes += static_cast<char>(b);
  return bytes + "\r\n\0";
}

std::string Big(std::size_t size) {
  std::string bytes(size, '\0');
  for (std::size_t i = 0; i < size; ++i) bytes[i] = static_cast<char>((i * 7 + i / 251) % 256);
  return bytes;
}

// Three files through the device model: it stores exactly their bytes under their names.
TEST(Upload, ThreeFilesToTheDevice) {
  DeviceHarness h;
  TForm1& f = h.f();
  const QString dir = h.dir.path();
  WorkingDirectory cwd(dir);
  const std::map<std::string, std::string> files = {
      {"kel.py", "import MOD\r\nMOD.sleep(10)\r\n"},
      {"zero bytes.bin", AllByteValuesWithZerosAndCrLf()},
      {"big.bin", Big(60000)},
  };
  const std::vector<std::string> order = {"kel.py", "zero bytes.bin", "big.bin"};
  for (const auto& [name, bytes] : files) WriteFile(name, bytes);
  WriteFile("scripts.ifo", order[0] + "\r\n" + order[1] + "\r\n" + order[2] + "\r\n");
  h.dialogs.NextFile("scripts.ifo");
  f.LoadList.Click();
  ASSERT_EQ(f.List.Lines(), order);

  f.Upgrade.Click();
  EXPECT_TRUE(f.Prubeh.Visible());
  EXPECT_EQ(f.Prubeh.Max(), 7);
  EXPECT_EQ(f.Prubeh.Position(), 1);
  h.Run();

  EXPECT_EQ(h.model().Scripts(), files);
  EXPECT_FALSE(f.Prubeh.Visible());
  EXPECT_FALSE(f.V.uploadInProgress);
  EXPECT_TRUE(f.V.uploadBuffer.empty());
  EXPECT_TRUE(h.dialogs.errors.empty());
  // The monitor holds each announcement followed by the prompt's answer.
  std::vector<std::string> own;
  for (const std::string& line : f.Monitor.Lines())
    if (line.rfind("AT#WSCRIPT=", 0) == 0 || line == "+++++++++") own.push_back(line);
  std::vector<std::string> expected;
  for (const std::string& name : order) {
    expected.push_back("AT#WSCRIPT=" + name + "," + std::to_string(files.at(name).size()));
    expected.push_back("+++++++++");
  }
  EXPECT_EQ(own, expected);
  // The announced size is the number of bytes sent.
  for (const std::string& name : order) {
    const std::string announced = "AT#WSCRIPT=" + name + "," + std::to_string(files.at(name).size()) + "\r\n";
    const auto it = std::find(h.port->sends.begin(), h.port->sends.end(), announced);
    ASSERT_NE(it, h.port->sends.end()) << name;
    ASSERT_NE(it + 1, h.port->sends.end()) << name;
    EXPECT_EQ(*(it + 1), files.at(name)) << name;
  }
}

TEST(Upload, LoadListAppendsTheLinesAsWritten) {
  FormHarness h;
  TForm1& f = h.f();
  WriteFile(h.Path("a.ifo"), "one.py\r\n two .py\r\n\r\nlast");
  WriteFile(h.Path("b.ifo"), "x.py\ny.py\n");
  h.dialogs.NextFile(h.Path("a.ifo"));
  h.dialogs.NextFile(h.Path("b.ifo"));
  f.LoadList.Click();
  f.LoadList.Click();
  f.LoadList.Click();  // cancelled: nothing changes
  EXPECT_EQ(f.List.Lines(), (std::vector<std::string>{"one.py", " two .py", "", "last", "x.py", "y.py"}));
  ASSERT_EQ(h.dialogs.requests.size(), 3u);
  EXPECT_EQ(h.dialogs.requests[0].filter, "info for download (*.ifo)|*.ifo");
  EXPECT_EQ(h.dialogs.requests[0].initialDir, QDir::currentPath().toStdString());
  EXPECT_FALSE(h.dialogs.requests[0].save);

  h.dialogs.NextFile(h.Path("missing.ifo"));
  f.LoadList.Click();
  ASSERT_EQ(h.dialogs.errors.size(), 1u);
  EXPECT_NE(h.dialogs.errors[0].find("missing.ifo"), std::string::npos);
  EXPECT_EQ(f.List.Count(), 6);

  f.ClrList.Click();
  EXPECT_EQ(f.List.Count(), 0);
}

// The pauses: 500 ms before the data after a prompt, 500 ms before the next announcement.
TEST(Upload, PausesBeforeDataAndBeforeTheNextAnnouncement) {
  FormHarness h;
  TForm1& f = h.f();
  WriteFile(h.Path("a"), "alpha");
  WriteFile(h.Path("b"), "bravo!");
  f.List.Add(h.Path("a"));
  f.List.Add(h.Path("b"));
  const long long t0 = h.clock.NowMs();
  f.Upgrade.Click();
  h.port.Feed(">>>");
  h.port.Feed("\rOK\r");
  ASSERT_EQ(h.port.sends.size(), 4u);
  EXPECT_EQ(h.port.sends[1], "AT#WSCRIPT=" + h.Path("a") + ",5\r\n");
  EXPECT_EQ(h.port.sendTimes[1], t0);
  EXPECT_EQ(h.port.sends[2], "alpha");
  EXPECT_EQ(h.port.sendTimes[2], t0 + 500);
  EXPECT_EQ(h.port.sends[3], "AT#WSCRIPT=" + h.Path("b") + ",6\r\n");
  EXPECT_EQ(h.port.sendTimes[3], t0 + 1000);
}

struct UploadCase {
  const char* name;
  std::vector<std::string> list;  // file names of the fixture folder; "" an empty line
  std::function<void(FormHarness&)> device;  // what happens after Upgrade is pressed
  // "ann x" the announcement of file x, "data x" its bytes, anything else a command as sent.
  std::vector<std::string> sends;
  std::string error;  // part of the one error shown; empty: no error
  bool barVisible;
  int barPosition;
  bool uploading;
};

// Files in every fixture; "missing" never exists; "/proc/self/mem" opens but cannot be read.
const std::map<std::string, std::string> kFiles = {
    {"a", "alpha\r\n"}, {"b", std::string("b\0b", 3)}, {"c", "charlie"}, {"empty", ""},
    {"f1", "1"}, {"f2", "22"}, {"f3", "333"}, {"f4", "4444"},
    {"f5", "5"}, {"f6", "6"}, {"f7", "7"}, {"f8", "8"},
};

void Prompt(FormHarness& h) { h.Feed(">>>\r\n"); }
void Ok(FormHarness& h) { h.Feed("\r\nOK\r\n"); }
void PromptOk(FormHarness& h) {
  Prompt(h);
  Ok(h);
}

const UploadCase kCases[] = {
    {"empty list", {}, nullptr, {}, "", false, 0, false},
    {"one file", {"a"}, PromptOk, {"ann a", "data a"}, "", false, 1, false},
    {"eight files: full from the seventh OK",
     {"f1", "f2", "f3", "f4", "f5", "f6", "f7", "f8"},
     [](FormHarness& h) {
       for (int i = 1; i <= 8; ++i) {
         PromptOk(h);
         if (i <= 7) {
           EXPECT_TRUE(h.f().Prubeh.Visible()) << i;
           EXPECT_EQ(h.f().Prubeh.Position(), i) << i;
         }
       }
     },
     {"ann f1", "data f1", "ann f2", "data f2", "ann f3", "data f3", "ann f4", "data f4", "ann f5", "data f5",
      "ann f6", "data f6", "ann f7", "data f7", "ann f8", "data f8"},
     "", false, 7, false},
    {"two prompts send the data twice", {"a"},
     [](FormHarness& h) {
       Prompt(h);
       Prompt(h);
     },
     {"ann a", "data a", "data a"}, "", true, 1, true},
    {"prompt with more on its line", {"a"}, [](FormHarness& h) { h.Feed(">>> ready\r\n"); },
     {"ann a", "data a"}, "", true, 1, true},
    {"no prompt after other characters", {"a"}, [](FormHarness& h) { h.Feed("x>>>\r\n>>\r\n"); }, {"ann a"}, "",
     true, 1, true},
    {"an unrelated OK ends the current file", {"a", "b"}, Ok, {"ann a", "ann b"}, "", true, 1, true},
    {"empty line in the middle ends quietly", {"a", "", "c"}, PromptOk, {"ann a", "data a"}, "", false, 1, false},
    {"missing file on line 2", {"a", "b", "missing", "c"},
     [](FormHarness& h) {
       PromptOk(h);
       PromptOk(h);
     },
     {"ann a", "data a", "ann b", "data b"}, "Upload stopped at line 3 of the list (\"@missing\"): Cannot open file",
     false, 2, false},
    {"empty file in the middle", {"a", "empty", "c"}, PromptOk, {"ann a", "data a"},
     "Upload stopped at line 2 of the list (\"@empty\"): the file is empty", false, 1, false},
    {"unreadable file in the middle", {"a", "/proc/self/mem", "c"}, PromptOk, {"ann a", "data a"},
     "Upload stopped at line 2 of the list (\"/proc/self/mem\"): Cannot read file", false, 1, false},
    {"missing first file", {"missing", "a"}, nullptr, {}, "Upload stopped at line 1 of the list (\"@missing\")",
     false, 0, false},
    {"unreadable first file", {"/proc/self/mem"}, nullptr, {}, "Cannot read file \"/proc/self/mem\"", false, 0,
     false},
    {"empty first file", {"empty", "a"}, nullptr, {}, "the file is empty", false, 0, false},
    {"list cleared during the upload", {"a", "b"},
     [](FormHarness& h) {
       Prompt(h);
       h.f().ClrList.Click();
       Ok(h);
     },
     {"ann a", "data a"}, "", false, 1, false},
    {"STOP during an upload: its OK goes to the upload, a later one queries the operator", {"a", "b"},
     [](FormHarness& h) {
       Prompt(h);
       h.Feed("STOP\r\n");
       Ok(h);  // answers ATE0, ends file a
       EXPECT_TRUE(h.f().V.queryOperatorAfterStop);
       PromptOk(h);
       Ok(h);
     },
     {"ann a", "data a", "ATE0\r\n", "ann b", "data b", "AT+COPS?\r\n"}, "", false, 2, false},
};

TEST(Upload, HowAnUploadGoesAndEnds) {
  for (const UploadCase& c : kCases) {
    SCOPED_TRACE(c.name);
    FormHarness h;
    TForm1& f = h.f();
    for (const auto& [name, bytes] : kFiles) WriteFile(h.Path(name), bytes);
    auto path = [&h](const std::string& name) {
      return name.empty() || name[0] == '/' ? name : h.Path(name);
    };
    for (const std::string& line : c.list) f.List.Add(path(line));
    f.Prubeh.SetVisible(true);  // shown before: an upload that ends hides it
    const std::size_t from = h.port.sends.size();

    f.Upgrade.Click();
    if (!c.sends.empty()) {
      EXPECT_TRUE(f.Prubeh.Visible());
      EXPECT_EQ(f.Prubeh.Max(), 7);
      EXPECT_EQ(f.Prubeh.Position(), 1);
      EXPECT_TRUE(f.V.uploadInProgress);
    }
    if (c.device) c.device(h);

    std::vector<std::string> expected;
    for (const std::string& s : c.sends) {
      if (s.rfind("ann ", 0) == 0) {
        const std::string name = s.substr(4);
        expected.push_back("AT#WSCRIPT=" + path(name) + "," + std::to_string(kFiles.at(name).size()) + "\r\n");
      } else if (s.rfind("data ", 0) == 0) {
        expected.push_back(kFiles.at(s.substr(5)));
      } else {
        expected.push_back(s);
      }
    }
    EXPECT_EQ(std::vector<std::string>(h.port.sends.begin() + static_cast<long>(from), h.port.sends.end()),
              expected);
    if (c.error.empty()) {
      EXPECT_TRUE(h.dialogs.errors.empty());
    } else {
      std::string error = c.error;
      if (const auto at = error.find('@'); at != std::string::npos) {
        const auto end = error.find('"', at);
        error.replace(at, end - at, path(error.substr(at + 1, end - at - 1)));
      }
      ASSERT_EQ(h.dialogs.errors.size(), 1u);
      EXPECT_NE(h.dialogs.errors[0].find(error), std::string::npos) << h.dialogs.errors[0];
    }
    EXPECT_EQ(f.Prubeh.Visible(), c.barVisible);
    if (c.barVisible || !c.sends.empty()) {
      EXPECT_EQ(f.Prubeh.Position(), c.barPosition);
    }
    EXPECT_EQ(f.V.uploadInProgress, c.uploading);
  }
}

}  // namespace
