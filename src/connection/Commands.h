// Everything the program sends to the device and every line it relies on. Commands are sent
// followed by kCRLF (callers append it; the port adds nothing).
#pragma once

namespace cmd {

inline constexpr const char* kCRLF = "\r\n";

// Sent
inline constexpr const char* kEchoOff = "ATE0";
inline constexpr const char* kAttention = "AT";
inline constexpr const char* kWriteEntry = "AT+CPBW=";        // + i "," number ",," name; or + i to clear
inline constexpr const char* kWriteEntryGap = ",,";           // the empty type field between number and name
inline constexpr const char* kQueryOperator = "AT+COPS?";
inline constexpr const char* kQuerySimSize = "AT+CPBR=?";
inline constexpr const char* kReadEntries = "AT+CPBR=1,";     // + N
inline constexpr const char* kQuerySignal = "AT+CSQ";
inline constexpr const char* kQueryImei = "AT#CGSN";
inline constexpr const char* kRingType = "AT#SRS=";           // + n + kRingTry or kRingSet
inline constexpr const char* kRingTry = ",4";
inline constexpr const char* kRingSet = ",0";
inline constexpr const char* kStartScript = "AT#ESCRIPT=kel.pyo";
inline constexpr const char* kReboot = "AT#REBOOT";
inline constexpr const char* kWriteScript = "AT#WSCRIPT=";     // + name "," size

// Received
inline constexpr const char* kOK = "OK";
inline constexpr const char* kError = "ERROR";
inline constexpr const char* kCmeError = "+CME ERROR";       // + ": n"
inline constexpr const char* kStop = "STOP";
inline constexpr const char* kPrompt = ">>>";
inline constexpr const char* kRegistered = "+CREG: 0,1";
inline constexpr const char* kRegisteredRoaming = "+CREG: 0,5";
inline constexpr const char* kBatteryReport = "#CBC:";
inline constexpr const char* kSignalReport = "+CSQ:";
inline constexpr const char* kSimSizeReport = "+CPBR: (1-";
inline constexpr const char* kEntryReport = "+CPBR";
inline constexpr const char* kOperatorReport = "+COPS";
inline constexpr const char* kNotLogged = "#SMSATWL";

// Written to the monitor by the program itself
inline constexpr const char* kPromptAnswered = "+++++++++";

}  // namespace cmd
