#include "tests/qt/update_package.h"

#include <ostream>

namespace mw::test {

std::string OneEntryArchive(const std::string& bytes)
{
    return ContiguousArchive({{"a.txt", bytes}});
}

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

std::string PackageMachine::SettingsFile() const
{
    return dir / "home/.config/Vosk's Mendwright.conf";
}

std::string PackageMachine::SettingsText() const
{
    return Exists(SettingsFile()) ? ReadBytes(SettingsFile()) : std::string();
}

void PackageMachine::WriteSettingsText(const std::string& text) const
{
    WriteBytes(SettingsFile(), text);
}

}  // namespace mw::test
