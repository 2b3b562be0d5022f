// mendwright: the windowed program.
#include <memory>

#include <QApplication>
#include <QLocale>

#include "app/program_windows.h"
#include "app/startup.h"
#include "ops/messages.h"
#include "settings/qt_settings_store.h"
#include "settings/system_gp4_installation.h"
#include "ui/dialogs.h"

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    QApplication::setApplicationName(QString::fromLatin1(mw::kApplicationTitle));
    QApplication::setDesktopFileName(QStringLiteral("mendwright"));

    mw::RunState state;
    state.Installation = mw::MakeSystemGp4Installation();
    state.DecimalSeparator = QLocale::system().decimalPoint().toStdString();
    const mw::SettingsFactory openSettings = [] { return std::make_unique<mw::QtSettingsStore>(); };

    mw::ProgramWindows windows(state, openSettings, mw::PlatformDialogs());
    QStringList arguments = QApplication::arguments();
    arguments.removeFirst();
    return mw::RunMode(arguments, state, windows, mw::PlatformDialogs(), [] { return QApplication::exec(); });
}
