// The file field: an editable one-line text with an
// 18-pixel browse button inside its right end that opens an open-file dialog.
#pragma once

#include <QLineEdit>

#include "ui/dialogs/file_dialogs.h"

class QToolButton;

namespace mw {

class Dialogs;

class FileField : public QLineEdit {
    Q_OBJECT

public:
    explicit FileField(QWidget* parent = nullptr);

    // The field's text, read and written whole.
    QString Filename() const { return text(); }
    void SetFilename(const QString& text);

    // The open dialog's properties: Title, Filter, InitialDir, DefaultExt.
    const QString& Title() const { return dialog_.title; }
    void SetTitle(const QString& title) { dialog_.title = title; }
    const QList<FilterEntry>& Filter() const { return dialog_.filter; }
    void SetFilter(const QList<FilterEntry>& filter) { dialog_.filter = filter; }
    const QString& InitialDir() const { return dialog_.initialDir; }
    void SetInitialDir(const QString& folder) { dialog_.initialDir = folder; }
    const QString& DefaultExt() const { return dialog_.defaultExt; }
    void SetDefaultExt(const QString& extension) { dialog_.defaultExt = extension; }

    // Where the browse dialog is run; the real dialogs unless a test gives others.
    void SetDialogs(Dialogs& dialogs) { dialogs_ = &dialogs; }

    QToolButton* BrowseButton() const { return browseButton_; }
    static constexpr int kBrowseButtonWidth = 18;

    // The browse button's click: BeforeBrowse, focus, a fresh dialog with
    // an empty file-name box, the chosen path into the text, Browsed after
    // a confirmed and a cancelled dialog alike.
    void Browse();

signals:
    void BeforeBrowse();
    void Browsed();

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    FileDialogRequest dialog_;
    Dialogs* dialogs_;
    QToolButton* browseButton_;
};

}  // namespace mw
