#include "core/errors.h"

#include "core/entry_text.h"
#include "core/path_helpers.h"
#include "core/text.h"

namespace mw {

std::string IoErrorText(int code)
{
    switch (code) {
    case io_code::FileNotFound: return "Fichier introuvable";
    case io_code::PathNotFound: return "Nom de fichier incorrect";
    case io_code::TooManyOpenFiles: return "Trop de fichiers ouverts";
    case io_code::AccessDenied: return "Accès au fichier refusé";
    case io_code::ShortRead: return "Lecture au-delà de la fin de fichier";
    case io_code::ShortWrite: return "Disque plein";
    case io_code::BadNumericInput: return "Saisie numérique incorrecte";
    default: return "Erreur E/S " + std::to_string(code);
    }
}

IoError::IoError(int code, std::string path, int systemError, Access access)
    : AppError(IoErrorText(code), std::move(path), systemError), code_(code), access_(access)
{
}

IoError::IoError(int code, std::string path, ArchiveFault fault)
    : AppError(IoErrorText(code), std::move(path), std::move(fault)), code_(code)
{
}

RangeError::RangeError(std::string path) : AppError(kRangeErrorText, std::move(path)) {}

RangeError::RangeError(std::string path, ArchiveFault fault)
    : AppError(kRangeErrorText, std::move(path), std::move(fault))
{
}

OutOfMemoryError::OutOfMemoryError(std::string path) : AppError(kOutOfMemoryText, std::move(path)) {}

namespace {

std::string EntryOf(const ArchiveFault& fault)
{
    return "entry " + std::to_string(fault.index) + " (" + PrintableText(ShownEntryName(fault.entryName)) + ")";
}

// The cause of a refused open: what was refused decides what to change.
std::string RefusalCause(const std::string& file, Access access)
{
    switch (access) {
    case Access::Read: return "you may not read " + file + " (another user's, or its permissions forbid it)";
    case Access::Write: return "you may not write to " + file + " (read-only, or another user's)";
    case Access::Create: return "you may not create " + file + " (its folder's permissions forbid it)";
    case Access::Unknown: break;
    }
    return "you may not open " + file + " (its permissions, or its folder's, forbid it)";
}

// The cause of a failed system call; "" for one without a plain cause.
std::string SystemCause(const std::string& file, int err, int code, Access access)
{
    switch (SystemFailureOf(err)) {
    case SystemFailure::NotFound:
        return code == io_code::PathNotFound ? "the folder that should hold " + file + " does not exist"
                                             : file + " does not exist";
    case SystemFailure::NotAFolder: return "a folder on the way to " + file + " is a file";
    case SystemFailure::IsAFolder: return file + " is a folder, not a file";
    case SystemFailure::Refused: return RefusalCause(file, access);
    case SystemFailure::ReadOnlyFileSystem: return file + " is on a read-only file system";
    case SystemFailure::DiskFull: return "the disk holding " + file + " is full";
    case SystemFailure::QuotaUsedUp: return "your disk quota on the disk holding " + file + " is used up";
    case SystemFailure::TooLarge: return file + " would grow past the largest file allowed here";
    case SystemFailure::TooManyOpen: return "too many files are open to open " + file;
    case SystemFailure::DeviceFailed: return "the disk holding " + file + " failed to read or write";
    case SystemFailure::LinkLoop: return file + " is a symbolic link, or leads through a loop of them";
    case SystemFailure::NameTooLong: return "the path of " + file + " is too long";
    case SystemFailure::InUse: return file + " is in use";
    case SystemFailure::Replaced: return file + " was replaced or moved by another program meanwhile";
    case SystemFailure::Other: break;
    }
    return {};
}

// The cause of an error raised without a failed system call.
std::string OwnCause(const AppError& error, const std::string& file)
{
    if (dynamic_cast<const OutOfMemoryError*>(&error))
        return file.empty() ? "there is not enough memory" : "there is not enough memory to load " + file;
    const auto* io = dynamic_cast<const IoError*>(&error);
    if (!io || file.empty())
        return {};
    switch (io->code()) {
    case io_code::ShortRead:
        return file + " ended before all its bytes were read: it is truncated, or was shortened meanwhile";
    case io_code::ShortWrite: return "the disk holding " + file + " is full";
    default: return {};
    }
}

}  // namespace

std::string ArchiveFaultCause(const std::string& path, const ArchiveFault& fault)
{
    using Kind = ArchiveFault::Kind;
    const std::string file = PrintableText(FileNamePart(path));
    const std::string notAnArchive = file + " is not a GP4 archive: ";
    const std::string truncated = file + " is truncated: ";
    switch (fault.kind) {
    case Kind::Empty: return notAnArchive + "it is empty";
    case Kind::ShortCount:
        return notAnArchive + "it holds only " + CountText(static_cast<std::size_t>(fault.number), "byte", "bytes");
    case Kind::NegativeCount: return notAnArchive + "its entry count is " + std::to_string(fault.number);
    case Kind::CountTooLarge: return notAnArchive + "it would hold " + std::to_string(fault.number) + " entries";
    case Kind::DirectoryPastEnd:
        return truncated + "its directory of " + CountText(static_cast<std::size_t>(fault.number), "entry", "entries") +
               " ends past the end of the file";
    case Kind::EntryBeforeStart: return notAnArchive + EntryOf(fault) + " starts before the beginning of the file";
    case Kind::NegativeSize: return notAnArchive + EntryOf(fault) + " has a negative size";
    case Kind::EntryPastEnd: return truncated + EntryOf(fault) + " ends past the end of the file";
    case Kind::EntryOverDirectory: return notAnArchive + EntryOf(fault) + " lies over its directory";
    case Kind::UnsafeName: return file + " holds a name that extraction refuses: " + EntryOf(fault);
    }
    return {};
}

std::string PlainCause(const AppError& error)
{
    if (const auto& fault = error.archiveFault())
        return ArchiveFaultCause(error.path(), *fault);
    const std::string file = PrintableText(FileNamePart(error.path()));
    const int err = error.systemError();
    if (err == 0)
        return OwnCause(error, file);
    const auto* io = dynamic_cast<const IoError*>(&error);
    if (!file.empty())
        if (std::string cause = SystemCause(file, err, io ? io->code() : 0, io ? io->access() : Access::Unknown);
            !cause.empty())
            return cause;
    return SystemErrorText(err);
}

}  // namespace mw
