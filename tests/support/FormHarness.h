// A whole main window on a scripted port (or the device model), with the virtual clock and
// scripted dialogs, in a fresh temporary folder that holds the program's "executable" (so
// its settings file lands there too).
#pragma once

#include <QTemporaryDir>
#include <memory>
#include <string>

#include "app/TForm1.h"
#include "connection/DevicePort.h"
#include "connection/ScriptedPort.h"
#include "ui/Runtime.h"

struct Services {
  ui::VirtualClock clock;
  ui::ScriptedDialogs dialogs;
  ui::RuntimeScope scope{&clock, &dialogs};
};

// The window on a scripted port. exeName is the program's file name.
struct FormHarness : Services {
  QTemporaryDir dir;
  connection::ScriptedPort port;
  std::unique_ptr<TForm1> form;

  explicit FormHarness(const std::string& exeName = "VIRodo", bool create = true) {
    if (create) Create(exeName);
  }
  void Create(const std::string& exeName = "VIRodo") {
    form = std::make_unique<TForm1>(port, ExePath(exeName));
  }
  std::string ExePath(const std::string& exeName = "VIRodo") const {
    return dir.path().toStdString() + "/" + exeName;
  }
  std::string Path(const std::string& name) const { return dir.path().toStdString() + "/" + name; }
  // Device bytes arrive; everything they cause runs to completion.
  void Feed(const std::string& bytes) {
    port.Feed(bytes);
    clock.RunUntilIdle();
  }
  TForm1& f() { return *form; }
};

// The window on the device model (the built-in device), virtual clock.
struct DeviceHarness : Services {
  QTemporaryDir dir;
  std::unique_ptr<connection::DevicePort> port;
  std::unique_ptr<TForm1> form;

  explicit DeviceHarness(kel::DeviceConfig config = kel::DefaultConfiguration()) {
    config.statusIntervalMs = 0;  // no unsolicited status lines unless a test wants them
    port = std::make_unique<connection::DevicePort>(std::move(config));
    form = std::make_unique<TForm1>(*port, dir.path().toStdString() + "/VIRodo");
    clock.RunUntilIdle();
  }
  ~DeviceHarness() {
    form.reset();
    port.reset();
  }
  kel::DeviceModel& model() { return port->Model(); }
  TForm1& f() { return *form; }
  void Run(long long ms = 600000) { clock.RunUntilIdle(ms); }
};
