#include "qt/contents_window.h"

#include <algorithm>

#include <QAction>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLineEdit>
#include <QPushButton>
#include <QShortcut>
#include <QSplitter>
#include <QTemporaryDir>
#include <QTimer>
#include <QToolButton>
#include <QTreeView>
#include <QVBoxLayout>

#include "core/path_helpers.h"
#include "core/text.h"
#include "qt/dialogs/dialogs.h"
#include "qt/dialogs/error_guard.h"
#include "qt/find_window.h"
#include "qt/qstring_conversion.h"
#include "qt/widgets/archive_folder_model.h"
#include "qt/widgets/entry_filter_model.h"
#include "qt/widgets/entry_table_model.h"
#include "qt/widgets/found_entry_model.h"
#include "qt/widgets/status_bar.h"
#include "qt/window_look.h"

namespace mw {
namespace {

constexpr QSize kClientSize(640, 420);
constexpr int kStatusBarHeight = 16;

}  // namespace

ContentsWindow::ContentsWindow(RunState& state, Dialogs& dialogs, QWidget* parent)
    : QWidget(parent, Qt::Window), WindowFrontend(*this, dialogs), state_(state), entries_(new EntryTableModel(this)),
      shown_(new EntryFilterModel(*entries_, this)), folders_(new ArchiveFolderModel(this)),
      found_(new FoundEntryModel(this))
{
    ApplyWindowLook(*this);
    // Closing the main window ends the program, this one open or not.
    setAttribute(Qt::WA_QuitOnClose, false);
    resize(kClientSize);
    CreateControls();
    entries_->SetDragOut([this](const std::vector<std::int32_t>& rows) {
        QList<QUrl> urls;
        for (const std::string& file : handlers_.ExtractForDrag(rows))
            urls.append(QUrl::fromLocalFile(ToQt(file)));
        return urls;
    });
    // Added once the drop has ended: the edit reads the archive again, which resets the list.
    entries_->SetDropIn([this](const QStringList& paths) {
        std::vector<std::string> files;
        for (const QString& path : paths)
            files.push_back(FromQt(path));
        QTimer::singleShot(0, this, [this, files] { handlers_.AddDropped(files); });
    });
    UpdateActions();
}

ContentsWindow::~ContentsWindow() = default;

QAction* ContentsWindow::MakeAction(const QString& text, const QKeySequence& key,
                                    void (ContentsHandlers::*handler)())
{
    auto* action = new QAction(text, this);
    action->setShortcut(key);
    // Keys act anywhere in the window; the filter field keeps the keys it
    // edits with (Delete there deletes text).
    action->setShortcutContext(Qt::WindowShortcut);
    addAction(action);
    connect(action, &QAction::triggered, this, [this, handler] { (handlers_.*handler)(); });
    return action;
}

void ContentsWindow::CreateControls()
{
    extractAction_ = MakeAction(QStringLiteral("Extract..."), QKeySequence(Qt::CTRL | Qt::Key_E),
                                &ContentsHandlers::ExtractSelection);
    addAction_ = MakeAction(QStringLiteral("Add files..."), QKeySequence(Qt::Key_Insert), &ContentsHandlers::AddFiles);
    replaceAction_ = MakeAction(QStringLiteral("Replace..."), {}, &ContentsHandlers::ReplaceSelected);
    renameAction_ = MakeAction(QStringLiteral("Rename..."), QKeySequence(Qt::Key_F2), &ContentsHandlers::RenameSelected);
    removeAction_ = MakeAction(QStringLiteral("Remove"), QKeySequence::Delete, &ContentsHandlers::RemoveSelection);
    findAction_ = MakeAction(QStringLiteral("Find in GP4..."), QKeySequence::Find, &ContentsHandlers::FindInGp4);
    const QList<QAction*> actions = {extractAction_, addAction_, replaceAction_, renameAction_, removeAction_};

    auto* buttons = new QHBoxLayout;
    for (QAction* action : actions) {
        auto* button = new QToolButton(this);
        button->setDefaultAction(action);
        buttons->addWidget(button);
    }
    auto* findButton = new QToolButton(this);
    findButton->setDefaultAction(findAction_);
    buttons->addWidget(findButton);
    buttons->addStretch();
    filterField_ = new QLineEdit(this);
    filterField_->setPlaceholderText(QStringLiteral("Filter: part of a name, or a pattern such as *.tex"));
    filterField_->setClearButtonEnabled(true);
    filterField_->setMinimumWidth(240);
    buttons->addWidget(filterField_);

    folderTree_ = new QTreeView(this);
    folderTree_->setModel(folders_);
    folderTree_->setHeaderHidden(true);
    folderTree_->setUniformRowHeights(true);

    entryList_ = new QTreeView(this);
    entryList_->setModel(shown_);
    entryList_->setRootIsDecorated(false);
    entryList_->setUniformRowHeights(true);
    entryList_->setAllColumnsShowFocus(true);
    entryList_->setSelectionMode(QAbstractItemView::ExtendedSelection);
    entryList_->setSelectionBehavior(QAbstractItemView::SelectRows);
    // The archive's own order until a column is chosen, which costs no sort.
    entryList_->header()->setSortIndicator(-1, Qt::AscendingOrder);
    entryList_->setSortingEnabled(true);
    entryList_->setDragDropMode(QAbstractItemView::DragDrop);
    entryList_->setDefaultDropAction(Qt::CopyAction);
    entryList_->setDropIndicatorShown(false);
    entryList_->addActions(actions);
    entryList_->setContextMenuPolicy(Qt::ActionsContextMenu);
    // Widths from the font, not from the rows: measuring 100,000 rows would take a while.
    QHeaderView* header = entryList_->header();
    header->setStretchLastSection(false);
    header->setSectionResizeMode(EntryTableModel::kNameColumn, QHeaderView::Stretch);
    const QFontMetrics metrics(font());
    header->resizeSection(EntryTableModel::kIndexColumn, metrics.horizontalAdvance(QStringLiteral("0000000")));
    header->resizeSection(EntryTableModel::kSizeColumn, metrics.horizontalAdvance(QStringLiteral("0,000,000,000")));

    auto* splitter = new QSplitter(this);
    splitter->addWidget(folderTree_);
    splitter->addWidget(entryList_);
    splitter->setStretchFactor(1, 3);
    splitter->setSizes({kClientSize.width() / 4, kClientSize.width() * 3 / 4});

    statusBar_ = new StatusBar(this);
    statusBar_->setFixedHeight(kStatusBarHeight);
    cancelButton_ = new QPushButton(QStringLiteral("Cancel"), this);
    cancelButton_->setFixedHeight(kStatusBarHeight);
    cancelButton_->setFocusPolicy(Qt::NoFocus);
    cancelButton_->setToolTip(QStringLiteral("Stop the change (Esc)"));
    cancelButton_->hide();
    auto* statusRow = new QHBoxLayout;
    statusRow->addWidget(statusBar_, 1);
    statusRow->addWidget(cancelButton_);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(8, 8, 8, 8);
    layout->addLayout(buttons);
    layout->addWidget(splitter, 1);
    layout->addLayout(statusRow);

    connect(cancelButton_, &QPushButton::clicked, this, [this] { RequestCancel(); });
    connect(new QShortcut(QKeySequence(Qt::Key_Escape), this), &QShortcut::activated, this, &QWidget::close);
    connect(filterField_, &QLineEdit::textChanged, this, &ContentsWindow::ApplyFilter);
    connect(folderTree_->selectionModel(), &QItemSelectionModel::currentChanged, this, &ContentsWindow::ApplyFilter);
    connect(entryList_->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &ContentsWindow::UpdateActions);
    connect(shown_, &QAbstractItemModel::modelReset, this, &ContentsWindow::UpdateActions);
}

void ContentsWindow::ShowContents(ArchiveContents contents)
{
    setWindowTitle(ToQt(ContentsTitle(contents.path)));
    entries_->SetContents(std::move(contents));
    folders_->SetFolders(ToQt(ArchiveName()), EntryFolders(Contents().entries));
    filterField_->clear();
    SelectFolder({});
    ApplyFilter();
    ShowInFrontLeavingTyping(*this);
    entryList_->setFocus(Qt::OtherFocusReason);
}

const ArchiveContents& ContentsWindow::Contents() const
{
    return entries_->Contents();
}

std::string ContentsWindow::ArchiveName() const
{
    return FileNamePart(Contents().path);
}

std::vector<std::int32_t> ContentsWindow::SelectedEntries() const
{
    std::vector<std::int32_t> selected;
    for (const QModelIndex& row : entryList_->selectionModel()->selectedRows())
        selected.push_back(shown_->mapToSource(row).row());
    std::sort(selected.begin(), selected.end());
    return selected;
}

std::string ContentsWindow::CurrentFolder() const
{
    return ArchiveFolderModel::FolderOf(folderTree_->currentIndex());
}

void ContentsWindow::SelectFolder(const std::string& folder)
{
    const QModelIndex node = folders_->IndexOf(folder);
    folderTree_->expand(folders_->index(0, 0));
    folderTree_->setCurrentIndex(node);
}

void ContentsWindow::UpdateActions()
{
    const ContentsActions allowed = ActionsFor(entryList_->selectionModel()->selectedRows().size());
    extractAction_->setEnabled(allowed.extract);
    addAction_->setEnabled(allowed.add);
    replaceAction_->setEnabled(allowed.replace);
    renameAction_->setEnabled(allowed.rename);
    removeAction_->setEnabled(allowed.remove);
}

void ContentsWindow::ApplyFilter()
{
    shown_->SetFilter(CurrentFolder(), FromQt(filterField_->text()));
    statusBar_->SetCaption(ToQt(RestingText()));
    UpdateActions();
}

std::string ContentsWindow::RestingText() const
{
    return ContentsStatusText(Contents(), static_cast<std::size_t>(shown_->rowCount()));
}

void ContentsWindow::SelectEntryAlone(std::size_t index)
{
    const QModelIndex shownRow = shown_->mapFromSource(entries_->index(static_cast<int>(index), 0));
    entryList_->selectionModel()->setCurrentIndex(shownRow,
                                                  QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    entryList_->scrollTo(shownRow);
}

std::string ContentsWindow::FilterText() const
{
    return FromQt(filterField_->text());
}

std::string ContentsWindow::StatusText() const
{
    return FromQt(statusBar_->Caption());
}

void ContentsWindow::SetStatusText(const std::string& text)
{
    statusBar_->SetCaption(ToQt(text));
}

void ContentsWindow::ShowContentsAgain(ArchiveContents contents, const std::string& folder)
{
    entries_->SetContents(std::move(contents));
    folders_->SetFolders(ToQt(ArchiveName()), EntryFolders(Contents().entries));
    SelectFolder(folder);
}

FoundEntries& ContentsWindow::EmptyFinds()
{
    found_->Clear();
    return *found_;
}

void ContentsWindow::ShowFinds(const std::string& pattern)
{
    if (!findWindow_)
        findWindow_ = std::make_unique<FindWindow>(*found_, [this](int row) { handlers_.OpenFound(found_->At(row)); });
    PlaceBeside(*findWindow_, *this);
    findWindow_->ShowResults(ToQt(pattern));
}

std::optional<std::string> ContentsWindow::DragFolder()
{
    if (!dragFolder_)
        dragFolder_ = std::make_unique<QTemporaryDir>();
    if (!dragFolder_->isValid())
        return std::nullopt;
    return FromQt(dragFolder_->path());
}

bool ContentsWindow::RunWithErrorsShown(const std::function<void(Frontend&)>& work)
{
    return RunHandler(dialogs_, [&] { work(*this); });
}

bool ContentsWindow::RunWithInputHeld(const std::function<void(Frontend&)>& work)
{
    return RunHeldBack([&] { work(*this); });
}

void ContentsWindow::RunEditOffThread(const std::function<void(Frontend&)>& edit)
{
    RunOffThread(edit, cancelButton_);
}

std::vector<std::string> ContentsWindow::ChooseFiles(const std::string& title, bool several)
{
    FileDialogRequest request;
    request.title = ToQt(title);
    request.filter = {{QStringLiteral("*.*"), {QStringLiteral("*.*")}}};
    QStringList chosen;
    if (several)
        chosen = dialogs_.RunOpenFilesDialog(request);
    else if (const std::optional<QString> file = dialogs_.RunOpenDialog(request))
        chosen.append(*file);
    std::vector<std::string> files;
    for (const QString& file : chosen)
        files.push_back(FromQt(file));
    return files;
}

std::optional<std::string> ContentsWindow::ChooseFolder(const std::string& title, const std::string& startFolder)
{
    const std::optional<QString> folder = dialogs_.ChooseFolder(ToQt(title), ToQt(startFolder));
    return folder ? std::optional(FromQt(*folder)) : std::nullopt;
}

std::optional<std::string> ContentsWindow::AskText(const std::string& title, const std::string& label,
                                                   const std::string& text)
{
    const std::optional<QString> typed = dialogs_.AskText(ToQt(title), ToQt(label), ToQt(text));
    return typed ? std::optional(FromQt(*typed)) : std::nullopt;
}

bool ContentsWindow::AskQuestion(const std::string& question)
{
    return dialogs_.AskQuestion(ToQt(question));
}

}  // namespace mw
