#include "qt/widgets/file_field.h"

#include <QDir>
#include <QDropEvent>
#include <QKeyEvent>
#include <QMimeData>
#include <QStyle>
#include <QToolButton>
#include <QUrl>

#include "qt/widgets/button_pictures.h"
#include "qt/dialogs/dialogs.h"

namespace mw {

FileField::FileField(QWidget* parent) : QLineEdit(parent), dialogs_(&PlatformDialogs())
{
    // The button is no tab stop of its own: the field's Alt+Down presses it.
    browseButton_ = AddButton(ButtonIcon(ButtonPicture::OpenFolder), QStringLiteral("Browse (Alt+Down)"));
    connect(browseButton_, &QToolButton::clicked, this, &FileField::Browse);
    setAcceptDrops(true);
}

QToolButton* FileField::AddButton(const QIcon& icon, const QString& toolTip)
{
    auto* button = new QToolButton(this);
    // In the Tab order after the field's text, as a dialog's buttons are.
    button->setFocusPolicy(Qt::TabFocus);
    button->setCursor(Qt::ArrowCursor);
    button->setIcon(icon);
    button->setIconSize(QSize(14, 14));
    button->setAutoRaise(true);
    button->setToolTip(toolTip);
    buttons_.append(button);
    setTextMargins(0, 0, kBrowseButtonWidth * static_cast<int>(buttons_.size()), 0);
    return button;
}

void FileField::SetFilename(const QString& text)
{
    setText(text);
    setCursorPosition(0);
}

void FileField::Browse()
{
    emit BeforeBrowse();
    if (!hasFocus())
        setFocus(Qt::OtherFocusReason);
    FileDialogRequest request = dialog_;
    request.fileName.clear();
    request.initialDir = DialogStartFolder(dialog_.initialDir);
    if (const std::optional<QString> chosen = dialogs_->RunOpenDialog(request))
        SetFilename(*chosen);
    emit Browsed();
}

void FileField::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Down && event->modifiers() == Qt::AltModifier) {
        event->accept();
        Browse();
        return;
    }
    QLineEdit::keyPressEvent(event);
}

void FileField::mouseDoubleClickEvent(QMouseEvent* event)
{
    QLineEdit::mouseDoubleClickEvent(event);
    emit DoubleClicked();
}

std::optional<QString> FileField::DroppedPath(const QMimeData* data) const
{
    if (!dropTest_ || !data->hasUrls() || data->urls().size() != 1 || !data->urls().first().isLocalFile())
        return std::nullopt;
    const QString path = QDir::toNativeSeparators(data->urls().first().toLocalFile());
    if (!dropTest_(path))
        return std::nullopt;
    return path;
}

bool FileField::AnswerDrag(QDragMoveEvent* event) const
{
    if (!event->mimeData()->hasUrls())
        return false;
    if (DroppedPath(event->mimeData()))
        event->acceptProposedAction();
    else
        event->ignore();
    return true;
}

void FileField::dragEnterEvent(QDragEnterEvent* event)
{
    if (!AnswerDrag(event))
        QLineEdit::dragEnterEvent(event);
}

void FileField::dragMoveEvent(QDragMoveEvent* event)
{
    if (!AnswerDrag(event))
        QLineEdit::dragMoveEvent(event);
}

void FileField::dropEvent(QDropEvent* event)
{
    if (!event->mimeData()->hasUrls())
        return QLineEdit::dropEvent(event);
    const std::optional<QString> path = DroppedPath(event->mimeData());
    if (!path) {
        event->ignore();
        return;
    }
    event->acceptProposedAction();
    SetFilename(*path);
    setFocus(Qt::OtherFocusReason);
}

void FileField::resizeEvent(QResizeEvent* event)
{
    QLineEdit::resizeEvent(event);
    const int frame = style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, this);
    for (int i = 0; i < buttons_.size(); ++i)
        buttons_[i]->setGeometry(width() - frame - kBrowseButtonWidth * (i + 1), frame, kBrowseButtonWidth,
                                 height() - 2 * frame);
}

}  // namespace mw
