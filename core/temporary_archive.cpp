#include "core/temporary_archive.h"

#include <random>

#include "core/errors.h"
#include "core/text.h"
#include "core/wad.h"

namespace mw {

std::string TemporaryArchive::NewName()
{
    static constexpr char kAlphabet[] = "abcdefghijklmnopqrstuvwxyz0123456789";
    thread_local std::mt19937_64 generator{std::random_device{}()};
    std::uniform_int_distribution<int> pick(0, sizeof kAlphabet - 2);
    std::string name(kTemporaryMarker);
    for (int i = 0; i < 8; ++i)
        name += kAlphabet[pick(generator)];
    return name;
}

void TemporaryArchive::RefuseNotRegular(const std::string& fileName)
{
    throw AppError(kNotRegularWadPrefix + PrintableText(fileName));
}

void TemporaryArchive::RefuseChanged(const std::string& fileName)
{
    throw AppError(kWadChangedMeanwhilePrefix + PrintableText(fileName));
}

}  // namespace mw
