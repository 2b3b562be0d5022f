#include "ui/widgets/file_field.h"

#include <QDir>
#include <QDropEvent>
#include <QKeyEvent>
#include <QMimeData>
#include <QStyle>
#include <QToolButton>
#include <QUrl>

#include "ui/widgets/button_pictures.h"
#include "ui/dialogs/dialogs.h"

namespace mw {

FileField::FileField(QWidget* parent)
    : QLineEdit(parent), dialogs_(&PlatformDialogs()), browseButton_(new QToolButton(this))
{
    browseButton_->setFocusPolicy(Qt::NoFocus);
    browseButton_->setCursor(Qt::ArrowCursor);
    const QPixmap folder = ButtonPictureStrip(ButtonPicture::OpenFolder);
    QIcon icon;
    icon.addPixmap(PictureOfState(folder, PictureState::Up), QIcon::Normal);
    icon.addPixmap(PictureOfState(folder, PictureState::Disabled), QIcon::Disabled);
    browseButton_->setIcon(icon);
    browseButton_->setIconSize(QSize(14, 14));
    browseButton_->setAutoRaise(true);
    // The button is no tab stop of its own: the field's Alt+Down presses it.
    browseButton_->setToolTip(QStringLiteral("Browse (Alt+Down)"));
    setTextMargins(0, 0, kBrowseButtonWidth, 0);
    connect(browseButton_, &QToolButton::clicked, this, &FileField::Browse);
    setAcceptDrops(true);
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
    browseButton_->setGeometry(width() - frame - kBrowseButtonWidth, frame, kBrowseButtonWidth,
                               height() - 2 * frame);
}

}  // namespace mw
