// The errors that end an operation: shown once by the window's default error
// display, or printed by the command-line tool with exit code 1.
#pragma once

#include <stdexcept>
#include <string>

namespace mw {

// Base of every error that the default error display shows.
class AppError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// A failed open, read, write, seek, close or rename, with the code of the
// I/O error table and its French text.
class IoError : public AppError {
public:
    explicit IoError(int code);
    int code() const noexcept { return code_; }

private:
    int code_;
};

// A count or size that cannot index a table ("Erreur de vérification d'étendue").
class RangeError : public AppError {
public:
    RangeError();
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

// The I/O error code for an errno value of a failed system call.
int IoCodeFromErrno(int err);

// Throws the IoError for errno value err.
[[noreturn]] void ThrowErrno(int err);

}  // namespace mw
