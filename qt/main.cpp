// mendwright: the windowed program, and the auto-install mode of update packages.
#include <cstdio>
#include <memory>
#include <optional>

#include <QApplication>
#include <QIcon>

#include "startup/command_line.h"
#include "startup/hand_over.h"
#include "startup/help_and_version.h"
#include "qt/hand_over.h"
#include "qt/program_dialogs.h"
#include "qt/program_windows.h"
#include "startup/program_configuration.h"
#include "startup/startup.h"
#include "ops/messages.h"
#include "settings/posix/qt_settings_store.h"

namespace {

// The icon of every window, from the same files the hicolor theme gets.
QIcon ApplicationIcon()
{
    QIcon icon;
    for (int size : {16, 22, 24, 32, 48, 64, 128, 256})
        icon.addFile(QStringLiteral(":/icons/%1x%1/apps/" MENDWRIGHT_APP_ID ".png").arg(size));
    return icon;
}

}  // namespace

int main(int argc, char** argv)
{
    const std::vector<std::string> arguments = mw::WindowedProgramArguments(argc, argv);
    if (const auto text = mw::HelpOrVersionText(arguments)) {
        std::fputs(text->c_str(), stdout);
        return 0;
    }
    QApplication application(argc, argv);
    QApplication::setApplicationName(QString::fromLatin1(mw::kApplicationTitle));
    // The application id: docks match the window to the installed launcher.
    QApplication::setDesktopFileName(QStringLiteral(MENDWRIGHT_APP_ID));
    QApplication::setWindowIcon(ApplicationIcon());

    // A .wad opened while the program runs opens in the running program.
    if (const auto archive = mw::ArchiveToHandOver(arguments); archive && mw::HandToRunningProgram(*archive))
        return 0;

    mw::ProgramConfiguration configuration([] { return std::make_unique<mw::QtSettingsStore>(); });
    mw::Dialogs& dialogs = mw::ProgramDialogs();
    mw::ProgramWindows windows(configuration.state, configuration.openSettings, dialogs);
    // The auto-install mode of a package takes no archive from elsewhere.
    std::optional<mw::HandOverListener> listener;
    if (arguments.size() < 2)
        listener.emplace([&windows](const std::string& archive) { return windows.TakeHandedOverArchive(archive); });
    return mw::RunMode(arguments, configuration.state, windows, windows, [] { return QApplication::exec(); });
}
