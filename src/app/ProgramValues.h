// The program-wide values that carry the state of the device conversations. One instance,
// owned by the window; named as the values are named.
#pragma once

#include <string>

struct TProgramValues {
  // Receiving: the bytes of the line being received.
  std::string receiveLineBuffer;

  // Script upload: current line of the list, the bytes of the current file, and whether a file
  // is announced and not yet confirmed.
  bool uploadInProgress = false;
  int uploadIndex = 0;
  std::string uploadBuffer;

  // Stop sequence: the next "OK" that no upload takes queries the operator.
  bool queryOperatorAfterStop = false;

  // Reading: the next phone-book entry replaces the whole phone book.
  bool firstPhoneBookEntry = true;

  // Size of the SIM phone book, from the last SIM-size line (0 until one arrives).
  int simCapacity = 0;

  // Writing the configuration to the device.
  bool writeInProgress = false;
  int writeStep = 0;
  int nextSimSlot = 0;

  // Parameter strings: general settings and the two relays.
  std::string deviceParameterString;
  std::string relay1ParameterString;
  std::string relay2ParameterString;

  // The translation's name, read from and written back to the settings file.
  std::string languageLabel = "Eng";
};

// Start values of the parameter strings.
inline constexpr const char* kInitialDeviceParameterString = "4#4#0#0#1#7#2#0";
inline constexpr const char* kInitialRelay1ParameterString = "5#1#03#1";
inline constexpr const char* kInitialRelay2ParameterString = "6#1#03#1";
