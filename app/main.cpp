// mendwright: the windowed program, and the auto-install mode of update packages.
#include <memory>

#include <QApplication>
#include <QLocale>

#include "app/command_line.h"
#include "app/program_windows.h"
#include "app/scripted_dialogs.h"
#include "app/startup.h"
#include "ops/messages.h"
#include "settings/qt_settings_store.h"
#include "settings/remembered_gp4_installation.h"

int main(int argc, char** argv)
{
    const std::vector<std::string> arguments = mw::ProgramArguments(argc, argv);
    QApplication application(argc, argv);
    QApplication::setApplicationName(QString::fromLatin1(mw::kApplicationTitle));
    QApplication::setDesktopFileName(QStringLiteral("mendwright"));

    mw::RunState state;
    state.Installation = mw::MakeProgramGp4Installation(state.Settings);
    state.DecimalSeparator = QLocale::system().decimalPoint().toStdString();
    const mw::SettingsFactory openSettings = [] { return std::make_unique<mw::QtSettingsStore>(); };

    mw::Dialogs& dialogs = mw::ProgramDialogs();
    mw::ProgramWindows windows(state, openSettings, dialogs);
    return mw::RunMode(arguments, state, windows, dialogs, [] { return QApplication::exec(); });
}
