#include "ui/WadUnit.h"

#include <algorithm>

#include <QLabel>
#include <QPushButton>

#include "core/file.h"
#include "core/path_helpers.h"
#include "ops/messages.h"
#include "ops/operations.h"
#include "ui/button_pictures.h"
#include "ui/error_guard.h"
#include "ui/file_open_edit.h"
#include "ui/filesfolder.h"
#include "ui/ManualPath.h"
#include "ui/picture_button.h"
#include "ui/progress_fill.h"
#include "ui/text.h"
#include "ui/window_look.h"

namespace mw {

namespace {

constexpr QSize kOuterSize(441, 181);
constexpr QSize kMinimumOuterSize(441, 169);

template <typename Widget>
Widget* Place(Widget* widget, int left, int top, int width, int height)
{
    widget->setGeometry(left, top, width, height);
    return widget;
}

TLMDButton* PictureButton(const QString& caption, ButtonPicture picture, QWidget* parent)
{
    auto* button = new TLMDButton(caption, parent);
    button->SetGlyph(ButtonPictureStrip(picture));
    return button;
}

}  // namespace

TForm1::TForm1(RunState& state, SettingsFactory openSettings, Dialogs& dialogs, QWidget* parent)
    : QWidget(parent), state_(state), openSettings_(std::move(openSettings)), dialogs_(dialogs)
{
    setWindowTitle(QString::fromLatin1(kApplicationTitle));
    ApplyWindowLook(*this);
    resize(ClientSizeOf(kOuterSize));
    setMinimumSize(ClientSizeOf(kMinimumOuterSize));
    CreateControls();
    SetTabOrder();
    Connect();
    CentreOnScreen(*this);
    FormCreate();
}

TForm1::~TForm1() = default;

void TForm1::CreateControls()
{
    Label1 = PlaceLabel(new QLabel(QStringLiteral("Select file(s) to replace in wad(s)"), this), 8, 4, 152, 13);
    SelectFolder = Place(new QPushButton(QStringLiteral("Select a Folder"), this), 176, 4, 121, 15);

    LMDFile1 = Place(new TLMDFileOpenEdit(this), 8, 21, 417, 20);
    LMDFile1->SetTitle(QStringLiteral("Select a file"));
    LMDFile1->SetFilter({{QStringLiteral("Main GP4 files"),
                          {QStringLiteral("*.gp4"), QStringLiteral("*.col"), QStringLiteral("*.bin"),
                           QStringLiteral("*.cfp"), QStringLiteral("*.dat")}},
                         {QStringLiteral("*.*"), {QStringLiteral("*.*")}}});
    LMDFile1->SetFilename(QString::fromLatin1(kSourcePlaceholder));
    LMDFile1->SetDialogs(dialogs_);

    Label2 = PlaceLabel(new QLabel(QStringLiteral("Select one of the GP4's wad to patch or the wad to extract"), this),
                   8, 52, 277, 13);
    BtnGP4Path = Place(new QPushButton(QStringLiteral("Change GP4 Path"), this), 320, 52, 105, 15);

    LMDFile2 = Place(new TLMDFileOpenEdit(this), 8, 69, 417, 20);
    LMDFile2->SetTitle(QStringLiteral("Select a wad"));
    LMDFile2->SetFilter({{QStringLiteral("*.wad"), {QStringLiteral("*.wad")}}});
    LMDFile2->SetDefaultExt(QStringLiteral("wad"));
    LMDFile2->SetDialogs(dialogs_);

    BtnCreateWad = Place(PictureButton(QStringLiteral("Create wad"), ButtonPicture::CreateWad, this), 8, 96, 88, 22);
    BtnUpdate1Wad = Place(PictureButton(QStringLiteral("Update wad"), ButtonPicture::UpdateWad, this), 104, 96, 88, 22);
    BtnExtractWad = Place(PictureButton(QStringLiteral("Extract wad"), ButtonPicture::ExtractWad, this), 200, 96, 88, 22);
    BtnUpdateTracks =
        Place(PictureButton(QStringLiteral("Update track wads"), ButtonPicture::UpdateTracks, this), 304, 96, 121, 22);

    ProgressBar = Place(new TLMDProgressFill(this), 8, 126, 417, 16);

    SaveDialog1.title = QStringLiteral("Please choose a folder");
}

void TForm1::SetTabOrder()
{
    QWidget* const order[] = {BtnUpdate1Wad, SelectFolder,  LMDFile1,        LMDFile2,
                              BtnCreateWad,  BtnExtractWad, BtnUpdateTracks, BtnGP4Path};
    for (std::size_t i = 0; i + 1 < std::size(order); ++i)
        setTabOrder(order[i], order[i + 1]);
    BtnUpdate1Wad->setFocus(Qt::OtherFocusReason);
}

void TForm1::Connect()
{
    connect(SelectFolder, &QPushButton::clicked, this, &TForm1::SelectFolderClick);
    connect(BtnGP4Path, &QPushButton::clicked, this, &TForm1::SetGP4Path);
    connect(LMDFile1, &TLMDFileOpenEdit::OnBrowse, this, &TForm1::LMDFile1Click);
    connect(BtnCreateWad, &QPushButton::clicked, this, &TForm1::LMDCreateWadClick);
    connect(BtnUpdate1Wad, &QPushButton::clicked, this, &TForm1::UpdateWad);
    connect(BtnExtractWad, &QPushButton::clicked, this, &TForm1::ExtractClick);
    connect(BtnUpdateTracks, &QPushButton::clicked, this, &TForm1::UpdateTrackWads);
}

void TForm1::SetSmallWindows(TForm2* folderChooser, TForm5* manualPath)
{
    folderChooser_ = folderChooser;
    manualPath_ = manualPath;
}

mw::StartupState TForm1::StartupView()
{
    return {state_.BatchMode, state_.Settings, state_.SourceList, state_.Installation.get()};
}

void TForm1::FormCreate()
{
    RunHandler(dialogs_, [this] { mw::FormCreate(StartupView(), *this, openSettings_); });
}

void TForm1::SelectFolderClick()
{
    if (folderChooser_)
        ShowInFront(*folderChooser_);
}

void TForm1::SetGP4Path()
{
    if (manualPath_)
        ShowInFront(*manualPath_);
}

void TForm1::LMDFile1Click()
{
    const std::string text = FromQt(LMDFile1->Filename());
    if (text.starts_with("..."))
        return;
    if (FileExists(text))
        LMDFile1->SetInitialDir(ToQt(FolderPart(text)));
}

void TForm1::LMDCreateWadClick()
{
    RunHandler(dialogs_, [this] { CreateWad(state_, *this); });
}

void TForm1::ExtractClick()
{
    RunHandler(dialogs_, [this] { ExtractWad(state_, *this); });
}

void TForm1::UpdateWad()
{
    RunHandler(dialogs_, [this] { mw::UpdateWad(state_, *this); });
}

void TForm1::UpdateTrackWads()
{
    RunHandler(dialogs_, [this] { mw::UpdateTrackWads(state_, *this); });
}

void TForm1::GP4FolderChosen(const QString& folder)
{
    RunHandler(dialogs_, [&] { mw::Button1Click(FromQt(folder), StartupView(), *this, openSettings_); });
}

std::string TForm1::SourceText()
{
    return FromQt(LMDFile1->Filename());
}

void TForm1::SetSourceText(const std::string& text)
{
    LMDFile1->SetFilename(ToQt(text));
}

std::string TForm1::ArchiveText()
{
    return FromQt(LMDFile2->Filename());
}

void TForm1::SetArchiveText(const std::string& text)
{
    LMDFile2->SetFilename(ToQt(text));
}

void TForm1::SetStatusText(const std::string& text)
{
    ProgressBar->SetCaption(ToQt(text));
}

void TForm1::SetPosition(int percent)
{
    ProgressBar->SetPosition(static_cast<std::uint8_t>(std::clamp(percent, 0, 255)));
}

void TForm1::RepaintProgress()
{
    ProgressBar->Repaint();
}

void TForm1::RepaintWindow()
{
    repaint();
}

void TForm1::ShowUserError(const std::string& message)
{
    dialogs_.ShowUserError(ToQt(message));
}

void TForm1::SetSaveFileName(const std::string& name)
{
    SaveDialog1.fileName = ToQt(name);
}

void TForm1::SetSaveFilter(const std::string& filter)
{
    SaveDialog1.filter = FilterFromText(filter);
}

bool TForm1::RunSaveDialog()
{
    const std::optional<QString> chosen = dialogs_.RunSaveDialog(SaveDialog1);
    if (chosen)
        SaveDialog1.fileName = *chosen;
    return chosen.has_value();
}

std::string TForm1::SaveFileName()
{
    return FromQt(SaveDialog1.fileName);
}

void TForm1::SetSourceStartFolder(const std::string& folder)
{
    LMDFile1->SetInitialDir(ToQt(folder));
}

void TForm1::SetArchiveStartFolder(const std::string& folder)
{
    LMDFile2->SetInitialDir(ToQt(folder));
}

}  // namespace mw
