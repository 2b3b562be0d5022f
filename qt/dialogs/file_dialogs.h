// The open and save dialogs as the windows describe them: a request with the
// dialog's properties, turned into a fresh Qt file dialog.
#pragma once

#include <memory>
#include <string>

#include <QList>
#include <QString>
#include <QStringList>

class QFileDialog;

namespace mw {

// One entry of a dialog's file types: a description and its patterns.
struct FilterEntry {
    QString description;
    QStringList patterns;
    bool operator==(const FilterEntry&) const = default;
};

struct FileDialogRequest {
    QString title;
    QList<FilterEntry> filter;  // the first entry is selected when it opens
    QString initialDir;
    QString defaultExt;         // without the dot
    QString fileName;           // the name proposed in the file-name box
    // Whether a save dialog asks before an existing file is replaced. The
    // read-only check box is always hidden (Qt's dialogs have none).
    bool asksBeforeReplacing = false;
};

// Filter entries from the text form "description|patterns|description|patterns",
// patterns separated by ";". An empty text gives no entries.
QList<FilterEntry> FilterFromText(const std::string& text);

// The Qt filter list for the entries: "description (patterns)"; "*.*" stands
// for every file, also those without a dot.
QStringList QtFilters(const QList<FilterEntry>& filter);

// The browse dialog's start folder: a trailing separator is dropped unless a
// colon stands right before it or it is the whole text.
QString DialogStartFolder(const QString& initialDir);

// Fresh dialogs, set up from the request, not yet shown.
std::unique_ptr<QFileDialog> MakeOpenDialog(const FileDialogRequest& request);
std::unique_ptr<QFileDialog> MakeSaveDialog(const FileDialogRequest& request);
// An open dialog that takes several existing files.
std::unique_ptr<QFileDialog> MakeOpenFilesDialog(const FileDialogRequest& request);
// A dialog that chooses an existing folder.
std::unique_ptr<QFileDialog> MakeFolderDialog(const QString& title, const QString& startFolder);

}  // namespace mw
