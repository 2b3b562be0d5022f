// The errors that end an operation: shown once by the window's default error
// display, or printed by the command-line tool with exit code 1. Every text
// these errors carry in core, and every plain cause shown with them, is
// here: the I/O error table (French, as the game's tools word it), core's
// own refusals, and the causes in plain English.
#pragma once

#include <cstdint>
#include <optional>
#include <stdexcept>
#include <utility>
#include <string>

namespace mw {

// What a reader found wrong in an archive: the facts behind a format
// error's plain cause.
struct ArchiveFault {
    enum class Kind {
        Empty,              // no byte at all
        ShortCount,         // fewer bytes than the entry count takes
        NegativeCount,      // a count below zero
        CountTooLarge,      // a table of 2 GiB or more
        DirectoryPastEnd,   // the directory runs past the end of the file
        EntryBeforeStart,   // an entry's offset is negative
        NegativeSize,       // an entry's size is negative
        EntryPastEnd,       // an entry's bytes run past the end of the file
        EntryOverDirectory, // an entry's bytes lie over the directory
        UnsafeName,         // extraction refuses the entry's name
    };
    Kind kind;
    std::int64_t number = 0;  // the entry count; the file's length for Empty and ShortCount
    std::int32_t index = -1;  // the entry concerned, for the entries' faults
    std::string entryName;
};

// What a failed open wanted of the file, which tells a refusal's cause;
// Create: making the folder.
enum class Access { Unknown, Read, Write, Create };

// Base of every error that the default error display shows. The window
// shows the text, then the cause in plain words and the file; the
// command-line tool names the file and gives the cause in parentheses.
class AppError : public std::runtime_error {
public:
    explicit AppError(const std::string& text, std::string path = {}, int systemError = 0)
        : std::runtime_error(text), path_(std::move(path)), systemError_(systemError)
    {
    }
    AppError(const std::string& text, std::string path, ArchiveFault fault)
        : std::runtime_error(text), path_(std::move(path)), systemError_(0), fault_(std::move(fault))
    {
    }
    // The file the error concerns, or "" when it is not known where it is raised.
    const std::string& path() const noexcept { return path_; }
    // The platform's code of the failed system call (errno on POSIX, the
    // Win32 error code on Windows), or 0.
    int systemError() const noexcept { return systemError_; }
    // What is wrong in the archive at path(), for a format error.
    const std::optional<ArchiveFault>& archiveFault() const noexcept { return fault_; }

private:
    std::string path_;
    int systemError_;
    std::optional<ArchiveFault> fault_;
};

// A failed open, read, write, seek, close or rename, with the code of the
// I/O error table and its French text.
class IoError : public AppError {
public:
    explicit IoError(int code, std::string path = {}, int systemError = 0, Access access = Access::Unknown);
    IoError(int code, std::string path, ArchiveFault fault);
    int code() const noexcept { return code_; }
    Access access() const noexcept { return access_; }

private:
    int code_;
    Access access_ = Access::Unknown;
};

// A count or size that cannot index a table ("Erreur de vérification d'étendue").
class RangeError : public AppError {
public:
    explicit RangeError(std::string path = {});
    RangeError(std::string path, ArchiveFault fault);
};

// An allocation that the machine cannot satisfy ("Mémoire insuffisante").
class OutOfMemoryError : public AppError {
public:
    explicit OutOfMemoryError(std::string path = {});
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
inline constexpr const char* kRangeErrorText = "Erreur de vérification d'étendue";
inline constexpr const char* kOutOfMemoryText = "Mémoire insuffisante";

// core's own refusals. A prefix is followed by the file's name.
inline constexpr const char* kArchiveBusyPrefix = "Sorry but another update is writing this wad: ";
inline constexpr const char* kNotRegularWadPrefix = "Sorry but this wad is not a regular file: ";
inline constexpr const char* kWadChangedMeanwhilePrefix =
    "Sorry but another program replaced or changed this wad during the update, which leaves it as it is: ";
// Windows only: the old archive set aside could not take its name back.
inline constexpr const char* kWadKeptAsPrefix = "The wad could not be put back under its name and is kept as ";
// What extraction does not write through below its output folder.
inline constexpr const char* kLinkInOutputText = "Symbolic link in the output folder";
inline constexpr const char* kNodeInOutputText = "Device, pipe or socket in the output folder";

// The rest is the platform's: its error codes mapped onto the table.

// The I/O error code for the platform's code of a failed system call.
int IoCodeFromSystemError(int err);

// Throws the IoError for the platform's code err, raised on the file at path;
// access says what the failed open wanted of it, which tells a refusal's cause.
[[noreturn]] void ThrowSystemError(int err, const std::string& path = {}, Access access = Access::Unknown);

// The system's own description of its error code, as it words it.
std::string SystemErrorText(int err);

// What a failed system call's code says happened, in terms that hold on
// every platform; the plain causes are worded from it.
enum class SystemFailure {
    Other, NotFound, NotAFolder, IsAFolder, Refused, ReadOnlyFileSystem, DiskFull, QuotaUsedUp,
    TooLarge, TooManyOpen, DeviceFailed, LinkLoop, NameTooLong, InUse, Replaced,
};
SystemFailure SystemFailureOf(int err);
// The platform's code for a full disk, which the fault seam's tests give.
int DiskFullSystemError();

// The cause of an error in plain English, naming the file it concerns, for
// the user who has to act on it: shown below the exact text in the window,
// in parentheses by the command-line tool, and by verify for each faulty
// entry. A format error always says "not a GP4 archive" or "truncated".

// The plain cause, naming the file by its file name ("the disk holding
// cars.wad is full"); where none is known, the system's text for the failed
// call; "" when there is neither.
std::string PlainCause(const AppError& error);

// The cause of a fault found in the archive at path ("cars.wad is truncated:
// entry 830 (cars\ferrari\helmet.tex) ends past the end of the file").
std::string ArchiveFaultCause(const std::string& path, const ArchiveFault& fault);

}  // namespace mw
