#include "qt/contents_window.h"

#include <algorithm>

#include <QAction>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLineEdit>
#include <QPushButton>
#include <QSplitter>
#include <QTemporaryDir>
#include <QTimer>
#include <QToolButton>
#include <QTreeView>
#include <QVBoxLayout>

#include "core/path_helpers.h"
#include "ops/archive_edits.h"
#include "ops/find_entries.h"
#include "ops/messages.h"
#include "qt/dialogs/dialogs.h"
#include "qt/dialogs/error_guard.h"
#include "qt/find_window.h"
#include "qt/text.h"
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

FileDialogRequest AnyFileRequest(const QString& title)
{
    FileDialogRequest request;
    request.title = title;
    request.filter = {{QStringLiteral("*.*"), {QStringLiteral("*.*")}}};
    return request;
}

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
    entries_->SetDragOut([this](const std::vector<std::int32_t>& rows) { return DragOut(rows); });
    // Added once the drop has ended: the edit reads the archive again, which resets the list.
    entries_->SetDropIn([this](const QStringList& paths) {
        QTimer::singleShot(0, this, [this, paths] { AddDropped(paths); });
    });
    UpdateActions();
}

ContentsWindow::~ContentsWindow() = default;

QAction* ContentsWindow::MakeAction(const QString& text, const QKeySequence& key,
                                    void (ContentsWindow::*handler)())
{
    auto* action = new QAction(text, this);
    action->setShortcut(key);
    // Keys act on the list alone: Delete in the filter field deletes text.
    action->setShortcutContext(Qt::WidgetShortcut);
    connect(action, &QAction::triggered, this, handler);
    return action;
}

void ContentsWindow::CreateControls()
{
    extractAction_ = MakeAction(QStringLiteral("Extract..."), QKeySequence(Qt::CTRL | Qt::Key_E),
                                &ContentsWindow::ExtractSelection);
    addAction_ = MakeAction(QStringLiteral("Add files..."), QKeySequence(Qt::Key_Insert), &ContentsWindow::AddFiles);
    replaceAction_ = MakeAction(QStringLiteral("Replace..."), {}, &ContentsWindow::ReplaceSelected);
    renameAction_ = MakeAction(QStringLiteral("Rename..."), QKeySequence(Qt::Key_F2), &ContentsWindow::RenameSelected);
    removeAction_ = MakeAction(QStringLiteral("Remove"), QKeySequence::Delete, &ContentsWindow::RemoveSelection);
    findAction_ = MakeAction(QStringLiteral("Find in GP4..."), QKeySequence::Find, &ContentsWindow::FindInGp4);
    // The search needs no archive open: its key works anywhere in the window.
    findAction_->setShortcutContext(Qt::WindowShortcut);
    addAction(findAction_);
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
    ShowInFront(*this);
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
    return EntryCountText(static_cast<std::size_t>(shown_->rowCount()), Contents().entries.size());
}

void ContentsWindow::ExtractSelection()
{
    const std::vector<std::int32_t> selected = SelectedEntries();
    if (selected.empty())
        return;
    const std::optional<QString> folder =
        dialogs_.ChooseFolder(QStringLiteral("Extract to a folder"), ToQt(FolderPart(Contents().path)));
    if (!folder)
        return;
    RunHeldBack([&] { ExtractEntries(state_, *this, Contents(), selected, FromQt(*folder)); });
}

void ContentsWindow::AddFiles()
{
    const QStringList files = dialogs_.RunOpenFilesDialog(AnyFileRequest(QStringLiteral("Add files")));
    if (files.isEmpty())
        return;
    if (files.size() > 1)
        return AddDropped(files);
    // One file goes under the name the user gives it, in the folder shown unless it says otherwise.
    const std::string path = FromQt(files.first());
    const std::optional<QString> name = dialogs_.AskText(QStringLiteral("Add a file"), QStringLiteral("Entry name:"),
                                                         ToQt(NameBelow(CurrentFolder(), FileNamePart(path))));
    if (!name)
        return;
    RunEdit([&](Frontend& frontend) { AddEntries(state_, frontend, Contents(), {{FromQt(*name), path}}); });
}

void ContentsWindow::AddDropped(const QStringList& paths)
{
    std::vector<std::string> files;
    for (const QString& path : paths)
        files.push_back(FromQt(path));
    const std::string folder = CurrentFolder();
    RunEdit([&](Frontend& frontend) { AddFilesBelow(state_, frontend, Contents(), folder, files); });
}

void ContentsWindow::ReplaceSelected()
{
    const std::vector<std::int32_t> selected = SelectedEntries();
    if (selected.size() != 1)
        return;
    const QString name = ToQt(PrintableText(EntryName(entries_->Entry(selected.front()))));
    const std::optional<QString> file = dialogs_.RunOpenDialog(AnyFileRequest(QStringLiteral("Replace %1 with").arg(name)));
    if (!file)
        return;
    RunEdit([&](Frontend& frontend) { ReplaceEntry(state_, frontend, Contents(), selected.front(), FromQt(*file)); });
}

void ContentsWindow::RenameSelected()
{
    const std::vector<std::int32_t> selected = SelectedEntries();
    if (selected.size() != 1)
        return;
    const std::string current(EntryName(entries_->Entry(selected.front())));
    const std::optional<QString> name =
        dialogs_.AskText(QStringLiteral("Rename entry"), QStringLiteral("New name:"), ToQt(current));
    if (!name || FromQt(*name) == current)
        return;
    RunEdit([&](Frontend& frontend) { RenameEntry(state_, frontend, Contents(), selected.front(), FromQt(*name)); });
}

void ContentsWindow::RemoveSelection()
{
    const std::vector<std::int32_t> selected = SelectedEntries();
    if (selected.empty() || !dialogs_.AskQuestion(ToQt(RemoveEntriesQuestion(selected.size(), ArchiveName()))))
        return;
    RunEdit([&](Frontend& frontend) { RemoveEntries(state_, frontend, Contents(), selected); });
}

void ContentsWindow::FindInGp4()
{
    const std::optional<QString> pattern =
        dialogs_.AskText(QStringLiteral("Find in GP4"), QStringLiteral("Entry name or pattern (such as *.tex):"),
                         filterField_->text());
    if (!pattern || pattern->isEmpty())
        return;
    found_->Clear();
    bool searched = false;
    RunHeldBack([&] { searched = FindInInstallation(state_, *this, FromQt(*pattern), *found_); });
    if (!searched)
        return;
    if (!findWindow_)
        findWindow_ = std::make_unique<FindWindow>(*found_, [this](int row) { OpenFound(row); });
    findWindow_->ShowResults(*pattern);
}

void ContentsWindow::OpenFound(int row)
{
    const FoundEntryModel::Row found = found_->At(row);
    if (!RunHandler(dialogs_, [&] { ShowContents(ReadArchiveContents(found.archive)); }))
        return;
    const std::optional<std::size_t> index = IndexOfEntry(Contents().entries, found.entry);
    if (!index)
        return;
    const QModelIndex shownRow = shown_->mapFromSource(entries_->index(static_cast<int>(*index), 0));
    entryList_->selectionModel()->setCurrentIndex(shownRow,
                                                  QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    entryList_->scrollTo(shownRow);
}

QList<QUrl> ContentsWindow::DragOut(const std::vector<std::int32_t>& rows)
{
    if (!dragFolder_)
        dragFolder_ = std::make_unique<QTemporaryDir>();
    if (!dragFolder_->isValid() || rows.empty())
        return {};
    // Each drag in a folder of its own: a later drag does not overwrite files an earlier one handed over.
    const std::string folder = FromQt(dragFolder_->filePath(QString::number(++drags_)));
    std::vector<std::string> files;
    RunHandler(dialogs_, [&] { files = ExtractDragged(state_, *this, Contents(), rows, folder); });
    QList<QUrl> urls;
    for (const std::string& file : files)
        urls.append(QUrl::fromLocalFile(ToQt(file)));
    return urls;
}

void ContentsWindow::RunEdit(const std::function<void(Frontend&)>& edit)
{
    // The edit waits for the archive's lock, which another program may
    // hold: off the window's thread, the window repaints and can stop it.
    RunOffThread(edit, cancelButton_);
    Reload();
}

void ContentsWindow::Reload()
{
    const std::string folder = CurrentFolder();
    const QString status = statusBar_->Caption();
    RunHandler(dialogs_, [&] {
        entries_->SetContents(ReadArchiveContents(Contents().path));
        folders_->SetFolders(ToQt(ArchiveName()), EntryFolders(Contents().entries));
        SelectFolder(folder);
    });
    // The edit's own status stays; after a failure, the count of the archive as it is.
    if (!StatusAtRest())
        statusBar_->SetCaption(status);
}

}  // namespace mw
