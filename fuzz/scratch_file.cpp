#include "fuzz/scratch_file.h"

#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <stdexcept>

namespace mw::fuzz {
namespace {

std::string Folder()
{
    if (::access("/dev/shm", W_OK) == 0)
        return "/dev/shm";
    const char* tmp = std::getenv("TMPDIR");
    return tmp && *tmp ? tmp : "/tmp";
}

class Scratch {
public:
    Scratch()
    {
        std::string pattern = Folder() + "/mendwright-fuzz-XXXXXX";
        fd_ = ::mkstemp(pattern.data());
        if (fd_ < 0)
            throw std::runtime_error("cannot make the scratch file");
        name_ = pattern;
    }
    ~Scratch()
    {
        ::close(fd_);
        ::unlink(name_.c_str());
    }
    Scratch(const Scratch&) = delete;
    Scratch& operator=(const Scratch&) = delete;

    const std::string& Put(const std::uint8_t* data, std::size_t size)
    {
        if (::ftruncate(fd_, 0) != 0 || ::pwrite(fd_, data, size, 0) != static_cast<ssize_t>(size))
            std::abort();  // the harness itself failed: no finding to report
        return name_;
    }

private:
    int fd_ = -1;
    std::string name_;
};

}  // namespace

const std::string& ScratchFile(const std::uint8_t* data, std::size_t size)
{
    static Scratch scratch;  // removed by its destructor when libFuzzer exits
    return scratch.Put(data, size);
}

}  // namespace mw::fuzz
