#include "settings/posix/qt_settings_store.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>
#include <memory>

#include "core/errors.h"
#include "core/file.h"
#include "settings/settings_errors.h"

namespace mw {
namespace {

// The key is one INI file in the user's config folder, which stands where
// HKEY_CURRENT_USER\Software stands on Windows: "<config>/Vosk's
// Mendwright.conf", the same name as the registry key, with the values under
// [General]. Named by its path, it is known before anything opens it.
QString KeyPath()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           QStringLiteral("/Vosk's Mendwright.conf");
}

std::unique_ptr<QSettings> OpenKey()
{
    auto settings = std::make_unique<QSettings>(KeyPath(), QSettings::NativeFormat);
    // One key only: no fall-back on system-wide defaults.
    settings->setFallbacksEnabled(false);
    return settings;
}

QString KeyName(const std::string& name)
{
    return QString::fromStdString(name);
}

// Qt writes through a link at the file's path, over whatever it leads to or
// to a new file wherever it points. The file is the store's own: a link
// there is removed, so that a regular file takes its place and the link's
// target stays as it was. False when the link cannot be removed.
bool RemoveLinkAtKeyFile(const QString& file)
{
    return !QFileInfo(file).isSymLink() || QFile::remove(file);
}

// QSettings reads its file as it is made, and the open of a pipe waits for
// a writer: what stands at the key file's path is looked at first, without
// opening it, and Qt gets only a regular file, or nothing to make one at.
bool KeyFileIsUsable(const QString& file)
{
    const std::string path = QFile::encodeName(file).toStdString();
    return RegularFileExists(path) || !(FileExists(path) || FolderExists(path));
}

}  // namespace

QtSettingsStore::QtSettingsStore()
{
    // An INI file appears only with the first value unless it is made here.
    const QString file = KeyPath();
    if (!RemoveLinkAtKeyFile(file) || !KeyFileIsUsable(file))
        return;
    if (!QFileInfo::exists(file) && QDir().mkpath(QFileInfo(file).absolutePath())) {
        QFile empty(file);
        (void)empty.open(QIODevice::WriteOnly | QIODevice::Append);
    }
}

std::optional<std::string> QtSettingsStore::Read(const std::string& name)
{
    // A key file that cannot be read holds no value: the defaults hold.
    if (!KeyFileIsUsable(KeyPath()))
        return std::nullopt;
    const std::unique_ptr<QSettings> settings = OpenKey();
    if (!settings->contains(KeyName(name)))
        return std::nullopt;
    const QVariant value = settings->value(KeyName(name));
    if (value.typeId() != QMetaType::QString)
        throw AppError(WrongTypeText(name));
    return value.toString().toLocal8Bit().toStdString();
}

void QtSettingsStore::Write(const std::string& name, const std::string& text)
{
    const QString file = KeyPath();
    if (!RemoveLinkAtKeyFile(file))
        throw AppError(WriteFailedText(name));
    if (!KeyFileIsUsable(file))
        throw AppError(NotRegularSettingsText(), file.toStdString());
    const std::unique_ptr<QSettings> settings = OpenKey();
    settings->setValue(KeyName(name), QString::fromLocal8Bit(text));
    settings->sync();
    // A FormatError only says that part of the old file could not be read;
    // the new value was written all the same (the unreadable lines are
    // dropped), so it does not fail the write.
    if (settings->status() == QSettings::AccessError)
        throw AppError(WriteFailedText(name));
}

std::string QtSettingsStore::Location() const
{
    return KeyPath().toStdString();
}

}  // namespace mw
