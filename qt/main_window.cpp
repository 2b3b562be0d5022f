#include "qt/main_window.h"

#include <algorithm>

#include <QDir>
#include <QEvent>
#include <QFileInfo>
#include <QLabel>
#include <QPushButton>
#include <QShortcut>
#include <QToolButton>

#include "core/file.h"
#include "core/path_helpers.h"
#include "ops/archive_edits.h"
#include "ops/messages.h"
#include "ops/operations.h"
#include "ops/undo_wad.h"
#include "qt/contents_window.h"
#include "qt/mods_window.h"
#include "qt/widgets/button_pictures.h"
#include "qt/dialogs/error_guard.h"
#include "qt/widgets/file_field.h"
#include "qt/folder_chooser.h"
#include "qt/manual_path_window.h"
#include "qt/widgets/picture_button.h"
#include "qt/widgets/status_bar.h"
#include "qt/qstring_conversion.h"
#include "qt/window_look.h"
#include "startup/main_window_layout.h"

namespace mw {

namespace {

template <typename Widget>
Widget* Place(Widget* widget, MainControl control)
{
    const ControlPlace& place = MainControlLookOf(control).place;
    widget->setGeometry(place.left, place.top, place.width, place.height);
    return widget;
}

QString CaptionOf(MainControl control)
{
    return QString::fromUtf8(MainControlLookOf(control).caption);
}

QLabel* MakeLabel(MainControl control, QWidget* parent)
{
    const ControlPlace& place = MainControlLookOf(control).place;
    return PlaceLabel(new QLabel(CaptionOf(control), parent), place.left, place.top, place.width, place.height);
}

QPushButton* MakeButton(MainControl control, QWidget* parent)
{
    return Place(new QPushButton(CaptionOf(control), parent), control);
}

// An existing file whose name ends in ".wad", in any case.
bool IsWadFile(const QFileInfo& file)
{
    return file.isFile() && file.suffix().compare(QLatin1String("wad"), Qt::CaseInsensitive) == 0;
}

PictureButton* MakePictureButton(MainControl control, QWidget* parent)
{
    auto* button = Place(new PictureButton(CaptionOf(control), parent), control);
    button->SetPictureStrip(ButtonPictureStrip(*MainControlLookOf(control).picture));
    return button;
}

FileField* MakeFileField(MainControl control, const FileFieldDialog& dialog, Dialogs& dialogs, QWidget* parent)
{
    auto* field = Place(new FileField(parent), control);
    field->SetTitle(QString::fromUtf8(dialog.title));
    field->SetFilter(FilterFromText(dialog.filter));
    field->SetDefaultExt(QString::fromUtf8(dialog.defaultExtension));
    field->SetDialogs(dialogs);
    return field;
}

QToolButton* AddFieldButton(FileField& field, const FieldButtonLook& look)
{
    return field.AddButton(ButtonIcon(look.picture), QString::fromUtf8(look.toolTip));
}

}  // namespace

MainWindow::MainWindow(RunState& state, SettingsFactory openSettings, Dialogs& dialogs, QWidget* parent)
    : QWidget(parent), WindowFrontend(*this, dialogs), state_(state), openSettings_(std::move(openSettings))
{
    setWindowTitle(QString::fromLatin1(kApplicationTitle));
    ApplyWindowLook(*this);
    resize(ClientSizeOf({kMainOuterSize.width, kMainOuterSize.height}));
    setMinimumSize(ClientSizeOf({kMainMinimumOuterSize.width, kMainMinimumOuterSize.height}));
    CreateControls();
    SetTabOrder();
    Connect();
    CentreOnScreen(*this);
    FillFromSettings();
}

MainWindow::~MainWindow() = default;

void MainWindow::CreateControls()
{
    sourceLabel_ = MakeLabel(MainControl::SourceLabel, this);
    selectFolderButton_ = MakeButton(MainControl::SelectFolderButton, this);
    sourceField_ = MakeFileField(MainControl::SourceField, kSourceFieldDialog, dialogs_, this);
    sourceField_->SetFilename(QString::fromLatin1(kSourcePlaceholder));
    sourceField_->SetDropTest([](const QString& path) { return QFileInfo::exists(path); });

    archiveLabel_ = MakeLabel(MainControl::ArchiveLabel, this);
    gp4PathButton_ = MakeButton(MainControl::Gp4PathButton, this);
    archiveField_ = MakeFileField(MainControl::ArchiveField, kArchiveFieldDialog, dialogs_, this);
    archiveField_->SetDropTest([](const QString& path) { return IsWadFile(QFileInfo(path)); });
    contentsButton_ = AddFieldButton(*archiveField_, kArchiveFieldButtons[0]);
    undoButton_ = AddFieldButton(*archiveField_, kArchiveFieldButtons[1]);
    undoButton_->setEnabled(false);
    modsButton_ = AddFieldButton(*archiveField_, kArchiveFieldButtons[2]);

    createButton_ = MakePictureButton(MainControl::CreateButton, this);
    updateButton_ = MakePictureButton(MainControl::UpdateButton, this);
    extractButton_ = MakePictureButton(MainControl::ExtractButton, this);
    updateTracksButton_ = MakePictureButton(MainControl::UpdateTracksButton, this);

    statusBar_ = Place(new StatusBar(this), MainControl::StatusBar);
    cancelButton_ = MakeButton(MainControl::CancelButton, this);
    cancelButton_->setFocusPolicy(Qt::NoFocus);
    cancelButton_->setToolTip(QString::fromUtf8(MainControlLookOf(MainControl::CancelButton).toolTip));
    cancelButton_->hide();

    saveDialog_.title = QString::fromUtf8(kSaveDialogTitle);
}

void MainWindow::SetTabOrder()
{
    // A field's buttons follow its text, left to right as they stand.
    QWidget* const order[] = {updateButton_,  selectFolderButton_,         sourceField_,
                              sourceField_->BrowseButton(), archiveField_, modsButton_,
                              undoButton_,    contentsButton_,             archiveField_->BrowseButton(),
                              createButton_,  extractButton_,              updateTracksButton_,
                              gp4PathButton_};
    for (std::size_t i = 0; i + 1 < std::size(order); ++i)
        setTabOrder(order[i], order[i + 1]);
    updateButton_->setFocus(Qt::OtherFocusReason);
}

void MainWindow::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    // The styles draw a focus frame only in a window whose focus moved by
    // keyboard, and showing a window clears that; the window shows as if it
    // had, so the frame of "Update wad" is there from the start.
    setAttribute(Qt::WA_KeyboardFocusChange);
}

void MainWindow::changeEvent(QEvent* event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        UpdateUndoButton();
}

void MainWindow::Connect()
{
    connect(selectFolderButton_, &QPushButton::clicked, this, &MainWindow::ShowFolderChooser);
    connect(gp4PathButton_, &QPushButton::clicked, this, &MainWindow::ChooseGp4Folder);
    connect(sourceField_, &FileField::Browsed, this, &MainWindow::RememberSourceFolder);
    connect(createButton_, &QPushButton::clicked, this, &MainWindow::CreateWad);
    connect(updateButton_, &QPushButton::clicked, this, &MainWindow::UpdateWad);
    connect(extractButton_, &QPushButton::clicked, this, &MainWindow::ExtractWad);
    connect(updateTracksButton_, &QPushButton::clicked, this, &MainWindow::UpdateTrackWads);
    connect(contentsButton_, &QToolButton::clicked, this, &MainWindow::ShowContents);
    connect(archiveField_, &FileField::DoubleClicked, this, &MainWindow::ShowContents);
    connect(cancelButton_, &QPushButton::clicked, this, [this] { RequestCancel(); });
    connect(undoButton_, &QToolButton::clicked, this, &MainWindow::UndoLastUpdate);
    connect(archiveField_, &QLineEdit::textChanged, this, &MainWindow::UpdateUndoButton);
    connect(new QShortcut(QKeySequence::Open, this), &QShortcut::activated, this, &MainWindow::ShowContents);
    connect(modsButton_, &QToolButton::clicked, this, &MainWindow::ShowMods);
    // Ctrl+Z in a field undoes its typing; elsewhere the last update.
    connect(new QShortcut(QKeySequence::Undo, this), &QShortcut::activated, this, [this] {
        if (undoButton_->isEnabled())
            UndoLastUpdate();
    });
    connect(new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_M), this), &QShortcut::activated, this,
            &MainWindow::ShowMods);
}

void MainWindow::SetSmallWindows(FolderChooser* folderChooser, ManualPathWindow* manualPath)
{
    folderChooser_ = folderChooser;
    manualPath_ = manualPath;
}

mw::StartupState MainWindow::StartupView()
{
    return {state_.Settings, state_.Installation.get()};
}

void MainWindow::FillFromSettings()
{
    RunHandler(dialogs_, [this] { mw::FillFromSettings(StartupView(), *this, openSettings_); });
}

void MainWindow::ShowFolderChooser()
{
    if (folderChooser_)
        ShowInFront(*folderChooser_);
}

void MainWindow::ChooseGp4Folder()
{
    if (manualPath_)
        ShowInFront(*manualPath_);
}

void MainWindow::RememberSourceFolder()
{
    const std::string text = FromQt(sourceField_->Filename());
    if (text.starts_with("..."))
        return;
    if (FileExists(text))
        sourceField_->SetInitialDir(ToQt(FolderPart(text)));
}

void MainWindow::CreateWad()
{
    const CreateRequest request{SourceText()};
    RunOperation([this, request](Frontend& frontend) { mw::CreateWad(state_, frontend, request); });
}

void MainWindow::ExtractWad()
{
    const ExtractRequest request{ArchiveText()};
    RunOperation([this, request](Frontend& frontend) { mw::ExtractWad(state_, frontend, request); });
}

void MainWindow::UpdateWad()
{
    const UpdateRequest request{SourceText(), ArchiveText()};
    RunOperation([this, request](Frontend& frontend) { mw::UpdateWad(state_, frontend, request); });
}

void MainWindow::UpdateTrackWads()
{
    UpdateRequest request{SourceText(), ArchiveText()};
    request.options.trackBatch = true;
    RunOperation([this, request](Frontend& frontend) { mw::UpdateWad(state_, frontend, request); });
}

ContentsWindow& MainWindow::Contents()
{
    if (!contentsWindow_)
        contentsWindow_ = std::make_unique<ContentsWindow>(state_, dialogs_);
    return *contentsWindow_;
}

void MainWindow::ShowContents()
{
    RunHandler(dialogs_, [this] {
        if (std::optional<ArchiveContents> contents = OpenArchiveContents(state_, *this, ArchiveText())) {
            PlaceBeside(Contents(), *this);
            Contents().ShowContents(std::move(*contents));
        }
    });
}

ModsWindow& MainWindow::Mods()
{
    if (!modsWindow_)
        modsWindow_ = std::make_unique<ModsWindow>(state_, dialogs_, [this] { ShowChangedArchives(); });
    return *modsWindow_;
}

void MainWindow::ShowMods()
{
    RunHandler(dialogs_, [this] {
        PlaceBeside(Mods(), *this);
        Mods().ShowMods(ModsScopeOf(state_, ArchiveText()));
    });
}

void MainWindow::UndoLastUpdate()
{
    const std::string archive = ArchiveText();
    RunOperation([this, archive](Frontend& frontend) { mw::UndoLastUpdate(state_, frontend, archive); });
}

void MainWindow::UpdateUndoButton()
{
    const UndoOffer offer = OfferedUndo(state_, ArchiveText());
    undoButton_->setEnabled(offer.offered);
    undoButton_->setToolTip(offer.offered ? kArchiveFieldButtons[1].toolTip : ToQt(offer.whyNot));
}

void MainWindow::RunOperation(const std::function<void(Frontend&)>& operation)
{
    RunOffThread(operation, cancelButton_);
    ShowChangedArchives();
    if (modsWindow_ && modsWindow_->isVisible())
        modsWindow_->Reload();
}

void MainWindow::ShowChangedArchives()
{
    UpdateUndoButton();
    // The archive shown may be one the operation rewrote.
    if (contentsWindow_ && contentsWindow_->isVisible())
        contentsWindow_->Reload();
}

void MainWindow::UseGp4Folder(const QString& folder)
{
    RunHandler(dialogs_, [&] { mw::ApplyChosenGp4Folder(FromQt(folder), StartupView(), *this, openSettings_); });
}

std::string MainWindow::SourceText() const
{
    return FromQt(sourceField_->Filename());
}

void MainWindow::SetSourceText(const std::string& text)
{
    sourceField_->SetFilename(ToQt(text));
}

std::string MainWindow::ArchiveText() const
{
    return FromQt(archiveField_->Filename());
}

void MainWindow::SetArchiveText(const std::string& text)
{
    archiveField_->SetFilename(ToQt(text));
}

std::optional<std::string> MainWindow::AskSaveLocation(const SaveRequest& request)
{
    saveDialog_.fileName = ToQt(request.proposedName);
    saveDialog_.filter = FilterFromText(request.filter);
    saveDialog_.asksBeforeReplacing = request.asksBeforeReplacing;
    const std::optional<QString> chosen = dialogs_.RunSaveDialog(saveDialog_);
    if (!chosen)
        return std::nullopt;
    saveDialog_.fileName = *chosen;
    return FromQt(*chosen);
}

bool MainWindow::ConfirmChanges(const std::string& question)
{
    return dialogs_.AskQuestion(ToQt(question));
}

void MainWindow::SetSourceStartFolder(const std::string& folder)
{
    sourceField_->SetInitialDir(ToQt(folder));
}

void MainWindow::SetArchiveStartFolder(const std::string& folder)
{
    archiveField_->SetInitialDir(ToQt(folder));
}

}  // namespace mw
