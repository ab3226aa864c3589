#pragma once

#include <QString>

// MCI result codes, with the numbers the MCI interface has always published, so that callers
// written against those numbers keep working. 0 is success.
namespace mcierr {
constexpr int Success = 0;
constexpr int InvalidDeviceId = 257;
constexpr int UnrecognizedKeyword = 259;
constexpr int UnrecognizedCommand = 261;
constexpr int Hardware = 262;
constexpr int InvalidDeviceName = 263;  // unknown alias, or the device is not open
constexpr int OutOfMemory = 264;
constexpr int CannotLoadDriver = 266;
constexpr int MissingCommandString = 267;
constexpr int MissingStringArgument = 269;
constexpr int BadInteger = 270;
constexpr int MissingParameter = 273;
constexpr int UnsupportedFunction = 274;
constexpr int FileNotFound = 275;
constexpr int DeviceNotReady = 276;
constexpr int Internal = 277;
constexpr int Driver = 278;
constexpr int OutOfRange = 282;  // the one code the program reacts to (it beeps)
constexpr int DuplicateAlias = 289;
constexpr int BadConstant = 290;
constexpr int MissingDeviceName = 292;
constexpr int BadTimeFormat = 293;
constexpr int NoClosingQuote = 294;
constexpr int InvalidFile = 296;
constexpr int FilenameRequired = 304;
constexpr int NoWindow = 346;
constexpr int CreateWindow = 347;
constexpr int FileRead = 348;

// Our text for `code`, in Japanese, ending with "。"; a general text for codes we never return.
QString text(int code);
}  // namespace mcierr
