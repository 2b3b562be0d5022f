// The errors that end an operation: shown once by the window's default error
// display, or printed by the command-line tool with exit code 1.
#pragma once

#include <stdexcept>
#include <utility>
#include <string>

namespace mw {

// Base of every error that the default error display shows. The window
// shows the text alone; the command-line tool also names the file concerned
// and, when a system call failed, the system's own reason.
class AppError : public std::runtime_error {
public:
    explicit AppError(const std::string& text, std::string path = {}, int systemError = 0)
        : std::runtime_error(text), path_(std::move(path)), systemError_(systemError)
    {
    }
    // The file the error concerns, or "" when it is not known where it is raised.
    const std::string& path() const noexcept { return path_; }
    // The platform's code of the failed system call (errno on POSIX, the
    // Win32 error code on Windows), or 0.
    int systemError() const noexcept { return systemError_; }

private:
    std::string path_;
    int systemError_;
};

// A failed open, read, write, seek, close or rename, with the code of the
// I/O error table and its French text.
class IoError : public AppError {
public:
    explicit IoError(int code, std::string path = {}, int systemError = 0);
    int code() const noexcept { return code_; }

private:
    int code_;
};

// A count or size that cannot index a table ("Erreur de vérification d'étendue").
class RangeError : public AppError {
public:
    explicit RangeError(std::string path = {});
};

// An allocation that the machine cannot satisfy ("Mémoire insuffisante").
class OutOfMemoryError : public AppError {
public:
    OutOfMemoryError();
};

// Codes of the I/O error table that are the system's own.
namespace io_code {
inline constexpr int FileNotFound = 2;
inline constexpr int PathNotFound = 3;
inline constexpr int TooManyOpenFiles = 4;
inline constexpr int AccessDenied = 5;
inline constexpr int ShortRead = 100;
inline constexpr int ShortWrite = 101;
inline constexpr int BadNumericInput = 106;
inline constexpr int DiskFull = 112;
inline constexpr int NegativeSeek = 131;
inline constexpr int DeviceError = 1117;
}  // namespace io_code

// The text of the I/O error table for a code.
std::string IoErrorText(int code);

// The rest is the platform's: its error codes mapped onto the table.

// The I/O error code for the platform's code of a failed system call.
int IoCodeFromSystemError(int err);

// Throws the IoError for the platform's code err, raised on the file at path.
[[noreturn]] void ThrowSystemError(int err, const std::string& path = {});

// The system's own description of its error code, as it words it.
std::string SystemErrorText(int err);

}  // namespace mw
