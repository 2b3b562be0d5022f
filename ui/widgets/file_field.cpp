#include "ui/widgets/file_field.h"

#include <QStyle>
#include <QToolButton>

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
    setTextMargins(0, 0, kBrowseButtonWidth, 0);
    connect(browseButton_, &QToolButton::clicked, this, &FileField::Browse);
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

void FileField::resizeEvent(QResizeEvent* event)
{
    QLineEdit::resizeEvent(event);
    const int frame = style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, this);
    browseButton_->setGeometry(width() - frame - kBrowseButtonWidth, frame, kBrowseButtonWidth,
                               height() - 2 * frame);
}

}  // namespace mw
