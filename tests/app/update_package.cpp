#include "tests/app/update_package.h"

#include <ostream>

namespace mw::test {

void PrintTo(const Box& box, std::ostream* out)
{
    *out << box.kind << ": \"" << box.text << "\"";
}

std::string OneEntryArchive(const std::string& bytes)
{
    return ContiguousArchive({{"a.txt", bytes}});
}

namespace {

// Records are kind, 0x1F, text, 0x1E, one after another.
std::vector<Box> ReadBoxes(const std::string& out)
{
    std::vector<Box> boxes;
    std::size_t start = 0;
    for (std::size_t end; (end = out.find('\x1e', start)) != std::string::npos; start = end + 1) {
        const std::string record = out.substr(start, end - start);
        const std::size_t split = record.find('\x1f');
        boxes.push_back({record.substr(0, split), record.substr(split + 1)});
    }
    return boxes;
}

}  // namespace

PackageMachine::PackageMachine(bool withGp4)
{
    dir.MakeFolder("home/.config");
    if (withGp4)
        gp4Folder = MakeWinePrefixWithGp4(dir, "wine").gp4Folder;
    else
        dir.MakeFolder("wine");
    work = dir.MakeFolder("package");
}

std::string PackageMachine::PutArchive(const std::string& name, const std::string& bytes) const
{
    const std::string path = gp4Folder + "/" + name;
    WriteBytes(path, OneEntryArchive(bytes));
    return path;
}

void PackageMachine::PutUpdate(const std::string& relative, const std::string& bytes) const
{
    dir.Write("package/UpdateFolder/" + relative, bytes);
}

Environment PackageMachine::MachineEnvironment() const
{
    return {{"HOME", dir / "home"}, {"XDG_CONFIG_HOME", dir / "home/.config"}, {"WINEPREFIX", dir / "wine"}};
}

PackageCall PackageMachine::Call(const std::vector<std::string>& arguments, bool answerYes) const
{
    Environment environment = MachineEnvironment();
    environment.emplace_back("QT_QPA_PLATFORM", "offscreen");
    environment.emplace_back("MENDWRIGHT_SCRIPTED_ANSWER", answerYes ? "yes" : "cancel");
    const ProcessResult result = RunProcess(MENDWRIGHT_SCRIPTED_PROGRAM, arguments, work, environment, 60);
    return {result.exitCode, ReadBoxes(result.out)};
}

std::string PackageMachine::SettingsText() const
{
    const std::string file = dir / "home/.config/Vosk's Mendwright.conf";
    return Exists(file) ? ReadBytes(file) : std::string();
}

}  // namespace mw::test
