#include "qt/dialogs/file_dialogs.h"

#include <QDir>
#include <QFileDialog>

#include "qt/qstring_conversion.h"

namespace mw {

namespace {

// Without filters Qt's own dialog would still offer "All Files (*)"; a dialog
// without file types shows no such list.
void HideFileTypeList(QFileDialog& dialog)
{
    for (const char* name : {"fileTypeCombo", "fileTypeLabel"})
        if (auto* widget = dialog.findChild<QWidget*>(QLatin1String(name)))
            widget->hide();
}

std::unique_ptr<QFileDialog> MakeDialog(const FileDialogRequest& request, QFileDialog::AcceptMode mode)
{
    auto dialog = std::make_unique<QFileDialog>(nullptr, request.title);
    dialog->setAcceptMode(mode);
    // Neither dialog insists that the file exists: the field takes any text
    // and the operations check it.
    dialog->setFileMode(QFileDialog::AnyFile);
    dialog->setOption(QFileDialog::DontConfirmOverwrite, !request.asksBeforeReplacing);
    const QStringList filters = QtFilters(request.filter);
    if (!filters.isEmpty()) {
        dialog->setNameFilters(filters);
        dialog->selectNameFilter(filters.first());
    } else {
        HideFileTypeList(*dialog);
    }
    dialog->setDefaultSuffix(request.defaultExt);
    if (!request.initialDir.isEmpty())
        dialog->setDirectory(request.initialDir);
    if (!request.fileName.isEmpty())
        dialog->selectFile(request.fileName);
    return dialog;
}

}  // namespace

QList<FilterEntry> FilterFromText(const std::string& text)
{
    QList<FilterEntry> entries;
    const QStringList parts = ToQt(text).split('|');
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2)
        entries.append({parts[i], parts[i + 1].split(';', Qt::SkipEmptyParts)});
    return entries;
}

QStringList QtFilters(const QList<FilterEntry>& filter)
{
    QStringList result;
    for (const FilterEntry& entry : filter) {
        QStringList patterns;
        for (const QString& pattern : entry.patterns)
            patterns.append(pattern == QLatin1String("*.*") ? QStringLiteral("*") : pattern.trimmed());
        // A description that already ends in its patterns, as "Wad file(*.wad)"
        // does, is shown as it is: Qt reads the patterns from it.
        const QString listed = '(' + patterns.join(' ') + ')';
        result.append(entry.description.endsWith(listed) ? entry.description : entry.description + ' ' + listed);
    }
    return result;
}

QString DialogStartFolder(const QString& initialDir)
{
    const QChar separator = QDir::separator();
    if (initialDir.size() > 1 && initialDir.endsWith(separator) && initialDir[initialDir.size() - 2] != ':')
        return initialDir.left(initialDir.size() - 1);
    return initialDir;
}

std::unique_ptr<QFileDialog> MakeOpenDialog(const FileDialogRequest& request)
{
    return MakeDialog(request, QFileDialog::AcceptOpen);
}

std::unique_ptr<QFileDialog> MakeSaveDialog(const FileDialogRequest& request)
{
    return MakeDialog(request, QFileDialog::AcceptSave);
}

std::unique_ptr<QFileDialog> MakeOpenFilesDialog(const FileDialogRequest& request)
{
    auto dialog = MakeDialog(request, QFileDialog::AcceptOpen);
    dialog->setFileMode(QFileDialog::ExistingFiles);
    return dialog;
}

std::unique_ptr<QFileDialog> MakeFolderDialog(const QString& title, const QString& startFolder)
{
    auto dialog = std::make_unique<QFileDialog>(nullptr, title, startFolder);
    dialog->setFileMode(QFileDialog::Directory);
    dialog->setOption(QFileDialog::ShowDirsOnly, true);
    return dialog;
}

}  // namespace mw
