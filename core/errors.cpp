#include "core/errors.h"

#include <cerrno>

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

namespace {
constexpr const char* kRangeErrorText = "Erreur de vérification d'étendue";
}

RangeError::RangeError(std::string path) : AppError(kRangeErrorText, std::move(path)) {}

RangeError::RangeError(std::string path, ArchiveFault fault)
    : AppError(kRangeErrorText, std::move(path), std::move(fault))
{
}

OutOfMemoryError::OutOfMemoryError(std::string path) : AppError("Mémoire insuffisante", std::move(path)) {}

int IoCodeFromErrno(int err)
{
    switch (err) {
    case ENOENT: return io_code::FileNotFound;
    case ENOTDIR: return io_code::PathNotFound;
    case EMFILE:
    case ENFILE: return io_code::TooManyOpenFiles;
    case EACCES:
    case EISDIR:
    case EPERM:
    case EROFS: return io_code::AccessDenied;
    // The device error keeps its own number, apart from the table's 5.
    case EIO: return io_code::DeviceError;
    case ENOSPC:
    case EDQUOT: return io_code::DiskFull;
    default: return err;
    }
}

void ThrowErrno(int err, const std::string& path, Access access)
{
    throw IoError(IoCodeFromErrno(err), path, err, access);
}

}  // namespace mw
