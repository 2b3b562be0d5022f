// The file field: an editable one-line text with an
// 18-pixel browse button inside its right end that opens an open-file dialog.
#pragma once

#include <functional>
#include <optional>

#include <QLineEdit>

#include "qt/dialogs/file_dialogs.h"

class QMimeData;
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

    // A local file or folder dropped on the field becomes its text when the
    // test accepts its path; without a test the field takes no file drops.
    void SetDropTest(std::function<bool(const QString& path)> test) { dropTest_ = std::move(test); }

    // The browse button; Alt+Down in the field presses it.
    QToolButton* BrowseButton() const { return browseButton_; }
    static constexpr int kBrowseButtonWidth = 18;

    // Adds a button of the browse button's size left of the buttons the
    // field has; like it, no tab stop of its own.
    QToolButton* AddButton(const QIcon& icon, const QString& toolTip);

    // The browse button's click: BeforeBrowse, focus, a fresh dialog with
    // an empty file-name box, the chosen path into the text, Browsed after
    // a confirmed and a cancelled dialog alike.
    void Browse();

signals:
    void BeforeBrowse();
    void Browsed();
    // A double click in the text, after the word under it is selected.
    void DoubleClicked();

protected:
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    // The one local path that a drop carries, when the drop test accepts it.
    std::optional<QString> DroppedPath(const QMimeData* data) const;
    // Accepts or refuses a drag that carries files; false for any other
    // drag (text), which the line edit handles as usual.
    bool AnswerDrag(QDragMoveEvent* event) const;

    std::function<bool(const QString&)> dropTest_;
    FileDialogRequest dialog_;
    Dialogs* dialogs_;
    QToolButton* browseButton_;
    QList<QToolButton*> buttons_;  // from the right end leftwards, the browse button first
};

}  // namespace mw
