// The fixed texts of the stream and picture layer's run-time errors and stream
// exceptions, in one table so that callers and tests compare them exactly.
#pragma once

namespace media_errors {
inline constexpr const char* kStreamNotReadable = "Stream is not readable";
inline constexpr const char* kStreamNotWriteable = "Stream is not writeable";
inline constexpr const char* kStreamNotSeekable = "Stream is not seekable";
inline constexpr const char* kReadFailed = "Error reading from stream";
inline constexpr const char* kWriteFailed = "Error writing to stream";
inline constexpr const char* kUnableToReadObject = "Unable to read object";
inline constexpr const char* kUnableToWriteObject = "Unable to write object";
}  // namespace media_errors
