// Software model of the KEL door controller: a GSM module with a SIM card
// that is driven with AT commands over a serial line.  The model knows no
// clock and no I/O of its own: the owner feeds it bytes and DTR changes,
// gives it a Scheduler that runs callbacks later on the owner's clock and an
// Output that carries bytes back to the PC.  That keeps it usable from unit
// tests (virtual time) as well as from the kel-sim program (a real pty).
#pragma once

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace kel {

// One SIM phone-book slot.
struct SimEntry {
  std::string number;
  std::string name;
};

struct DeviceConfig {
  int simCapacity = 250;
  std::map<int, SimEntry> sim;          // slot -> entry, slots are 1-based
  std::string operatorName = "T-Mobile CZ";  // shown in the +COPS reply
  int signal = 17;                      // +CSQ value
  int voltage = 385;                    // tens of mV, reported as "#CBC: 0,385"
  std::string version = "2.0";          // stored by DefaultConfiguration() as SIM entry "VER"
  int replyLatencyMs = 5;               // delay before each reply (and echo)
  int bootDelayMs = 3000;               // AT#REBOOT -> "+CREG: 0,1" and "#CBC: 0,<voltage>"
  int stopDelayMs = 300;                // DTR on -> "STOP"
  int statusIntervalMs = 10000;         // status lines while the program runs; <= 0 disables them
};

// A realistic controller: admin and button numbers, alarm codes, the KEL and
// relay parameter strings, the firmware version and a few user entries, all in
// consecutive slots starting at 1.
DeviceConfig DefaultConfiguration();

// Loads a PC configuration file ("KEY=value" lines separated by CR LF, CR or
// LF) into the SIM of `base`, replacing whatever `base.sim` held.  ADMIN1-7,
// ABUTTON1-7, BBUTTON1-7, ALARMON and ALARMOFF become SIM entries of the same
// name; PARAMKEL, PARAMRL1 and PARAMRL2 become PARKEL, PARRL1 and PARRL2; any
// other line is a user entry (name before the first '=', number after it).
// Lines with an empty value or without '=' are skipped.  Entries take slots
// 1, 2, 3... in file order.  Throws std::runtime_error naming the file and the
// reason when it cannot be read or holds more entries than the SIM capacity.
DeviceConfig LoadConfigurationFile(const std::string& path, DeviceConfig base = {});

class DeviceModel {
 public:
  // Runs fn after delayMs of the caller's clock.  Callbacks scheduled for the
  // same moment must run in the order they were scheduled.
  using Scheduler = std::function<void(int delayMs, std::function<void()> fn)>;
  // Bytes the device sends to the PC.
  using Output = std::function<void(const std::string& bytes)>;

  DeviceModel(DeviceConfig cfg, Scheduler schedule, Output out);
  ~DeviceModel();
  DeviceModel(const DeviceModel&) = delete;
  DeviceModel& operator=(const DeviceModel&) = delete;

  // Bytes from the PC, in any chunking.
  void Receive(const std::string& bytes);
  // DTR line from the PC; going on stops the device program.
  void SetDTR(bool on);
  // Same effect as DTR going on (a pty has no DTR line).
  void StopProgram();

  // Read-only views for tests and the UI.
  const std::map<int, SimEntry>& Sim() const;
  const std::map<std::string, std::string>& Scripts() const;  // name -> bytes stored by AT#WSCRIPT
  bool Echo() const;
  bool ProgramRunning() const;
  int Capacity() const;
  // Every complete, non-empty command line received (without CR/LF), in order.
  std::vector<std::string> CommandLog() const;

  // Fault injection for tests of the PC program: the next `count` AT+CPBW=
  // commands (writes or deletes) addressed to `slot` are answered with
  // `reply` (e.g. "ERROR" or "+CME ERROR: 20", framed by the model) and store
  // nothing.  count < 0 fails them until cleared with an empty reply.
  void FailNextWrites(int slot, std::string reply, int count = 1);
  // A silent device is hung: it executes nothing and sends nothing (pending
  // replies included) until SetSilent(false).  Lines still go to CommandLog().
  void SetSilent(bool silent);

 private:
  struct Fault {
    std::string reply;
    int remaining = 0;
  };

  void After(int delayMs, std::function<void()> fn);
  void Send(std::string bytes);        // after the reply latency
  void Emit(const std::string& bytes); // right now, unless silent
  void Reply(const std::vector<std::string>& lines, const std::string& final = "OK");
  void Answer(const std::string& line);     // one information line, then OK
  void Final(const std::string& result);    // a final result code alone
  void CompleteLine();
  void Execute(const std::string& line);
  void ReadPhoneBook(const std::string& args);
  void WritePhoneBook(const std::string& args);
  void StartScriptUpload(const std::string& args);
  void TakeScriptByte(char c);
  void Reboot();
  void StartProgram();
  void ScheduleStatus(unsigned generation);

  DeviceConfig cfg_;
  Scheduler schedule_;
  Output out_;
  // Scheduled callbacks hold a weak reference; once the model is gone they do nothing.
  std::shared_ptr<int> alive_;

  std::string line_;         // command line being received
  bool echo_ = true;
  bool running_ = false;     // the device program (script) runs
  bool booting_ = false;     // between AT#REBOOT and the boot messages: input is lost
  bool silent_ = false;
  unsigned generation_ = 0;  // bumped on every start/stop so stale status timers expire
  bool nextStatusIsSms_ = true;

  bool uploading_ = false;   // AT#WSCRIPT raw data phase
  std::size_t uploadRemaining_ = 0;
  std::string uploadName_;
  std::string uploadData_;

  int ringType_ = 0;
  int ringVolume_ = 0;
  std::string enabledScript_;

  std::map<std::string, std::string> scripts_;
  std::map<int, Fault> faults_;
  std::vector<std::string> log_;
};

}  // namespace kel
