#include "ui/file_open_edit.h"

#include <QStyle>
#include <QToolButton>

#include "ui/button_pictures.h"
#include "ui/dialogs.h"

namespace mw {

TLMDFileOpenEdit::TLMDFileOpenEdit(QWidget* parent)
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
    connect(browseButton_, &QToolButton::clicked, this, &TLMDFileOpenEdit::Browse);
}

void TLMDFileOpenEdit::SetFilename(const QString& text)
{
    setText(text);
    setCursorPosition(0);
}

void TLMDFileOpenEdit::Browse()
{
    emit OnBeforeBrowse();
    if (!hasFocus())
        setFocus(Qt::OtherFocusReason);
    FileDialogRequest request = dialog_;
    request.fileName.clear();
    request.initialDir = DialogStartFolder(dialog_.initialDir);
    if (const std::optional<QString> chosen = dialogs_->RunOpenDialog(request))
        SetFilename(*chosen);
    emit OnBrowse();
}

void TLMDFileOpenEdit::resizeEvent(QResizeEvent* event)
{
    QLineEdit::resizeEvent(event);
    const int frame = style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, this);
    browseButton_->setGeometry(width() - frame - kBrowseButtonWidth, frame, kBrowseButtonWidth,
                               height() - 2 * frame);
}

}  // namespace mw
