#include "core/errors.h"

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

}  // namespace mw
