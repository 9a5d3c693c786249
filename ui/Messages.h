#pragma once
// Every text the program shows the operator in a message box, in one table.

namespace messages {

inline constexpr const char* kCannotOpenPort = "Can't open the communication port";
inline constexpr const char* kNoCurrentDirectory = "Error in getting the current directory";
inline constexpr const char* kCatalogueTruncated =
    "Only the first 200 command set files are listed";
inline constexpr const char* kDownloadCompleted = "Command set download completed";
inline constexpr const char* kWriteError =
    "Data writing error!\nCheck the communication port please.";
inline constexpr const char* kWatchdog =
    "Command set downloading error!\n Reset the device and try again please!";
inline constexpr const char* kTransferBusy = "A command set download is in progress";

// "The command set <NAME>" and one of these endings.
inline constexpr const char* kCommandSetPrefix = "The command set <";
inline constexpr const char* kNotFoundSuffix = "> can't be found !!";
inline constexpr const char* kTooLargeSuffix = "> is too large !!";
inline constexpr const char* kNoRecordsSuffix = "> holds no records !!";

} // namespace messages
