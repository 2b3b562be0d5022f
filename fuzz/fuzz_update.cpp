// The update on archives of any layout (shared offsets, partial overlaps,
// payloads in the directory, any order) with any sources, every choice
// taken from the input: every entry must read back the bytes it must.
#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "tests/ops/update_invariant.h"

namespace {

// The update puts a new file in the archive's place, so the archive lives
// in a folder of its own, removed when libFuzzer exits.
class ArchiveFolder {
public:
    ArchiveFolder()
    {
        std::string pattern = (::access("/dev/shm", W_OK) == 0 ? "/dev/shm" : "/tmp") + std::string("/mendwright-fuzz-XXXXXX");
        if (::mkdtemp(pattern.data()) == nullptr)
            std::abort();
        folder_ = pattern;
        archive_ = folder_ + "/monza2001.wad";
    }
    ~ArchiveFolder()
    {
        ::unlink(archive_.c_str());
        ::rmdir(folder_.c_str());
    }

    const std::string& Put(const std::string& bytes) const
    {
        const int fd = ::open(archive_.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
        if (fd < 0 || ::write(fd, bytes.data(), bytes.size()) != static_cast<ssize_t>(bytes.size()) || ::close(fd) != 0)
            std::abort();  // the harness itself failed: no finding to report
        return archive_;
    }

private:
    std::string folder_;
    std::string archive_;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const ArchiveFolder folder;
    std::size_t at = 0;
    // Past the input's end every choice is the first one.
    mw::test::LayoutGenerator generate([&]() -> std::uint32_t { return at < size ? data[at++] : 0; });
    const std::string& archive = folder.Put(mw::test::ArchiveWithLayout(generate.OverlappingLayout()));
    const std::string broken = mw::test::UpdateBreaksAnEntry(archive, generate.Sources());
    if (!broken.empty()) {
        std::fprintf(stderr, "%s\n", broken.c_str());
        std::abort();
    }
    return 0;
}
