#include "qt/mods_window.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeySequence>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QShortcut>
#include <QSplitter>
#include <QStandardItemModel>
#include <QTreeView>
#include <QVBoxLayout>

#include "qt/dialogs/dialogs.h"
#include "qt/dialogs/error_guard.h"
#include "qt/qstring_conversion.h"
#include "qt/widgets/status_bar.h"
#include "qt/widgets/status_row.h"
#include "qt/window_look.h"

namespace mw {
namespace {

enum ModColumn { kNameColumn, kDateColumn, kArchivesColumn, kEntriesColumn, kConflictColumn };

QStandardItem* Cell(const std::string& text)
{
    auto* item = new QStandardItem(ToQt(text));
    item->setEditable(false);
    return item;
}

}  // namespace

ModsWindow::ModsWindow(RunState& state, Dialogs& dialogs, std::function<void()> changed, QWidget* parent)
    : QWidget(parent, Qt::Window),
      WindowFrontend(*this, dialogs),
      state_(state),
      changed_(std::move(changed)),
      mods_(new QStandardItemModel(this)),
      entries_(new QStandardItemModel(this))
{
    ApplyWindowLook(*this);
    setAttribute(Qt::WA_QuitOnClose, false);
    setWindowTitle(QStringLiteral("Mods"));
    resize(640, 440);
    CreateControls();
}

ModsWindow::~ModsWindow() = default;

void ModsWindow::CreateControls()
{
    mods_->setHorizontalHeaderLabels({QStringLiteral("Mod"), QStringLiteral("Installed"), QStringLiteral("Wads"),
                                      QStringLiteral("Entries"), QStringLiteral("Conflicts")});
    entries_->setHorizontalHeaderLabels(
        {QStringLiteral("Wad"), QStringLiteral("Entry"), QStringLiteral("Change"), QStringLiteral("Read from")});

    summary_ = new QLabel(this);
    modList_ = new QTreeView(this);
    modList_->setModel(mods_);
    modList_->setRootIsDecorated(false);
    modList_->setUniformRowHeights(true);
    modList_->setAllColumnsShowFocus(true);
    modList_->setSelectionMode(QAbstractItemView::SingleSelection);
    modList_->header()->setSectionResizeMode(kArchivesColumn, QHeaderView::Stretch);
    modList_->header()->setStretchLastSection(false);
    entryList_ = new QTreeView(this);
    entryList_->setModel(entries_);
    entryList_->setRootIsDecorated(false);
    entryList_->setUniformRowHeights(true);
    entryList_->setAllColumnsShowFocus(true);
    entryList_->header()->setSectionResizeMode(1, QHeaderView::Stretch);
    entryList_->header()->setStretchLastSection(false);
    auto* splitter = new QSplitter(Qt::Vertical, this);
    splitter->addWidget(modList_);
    splitter->addWidget(entryList_);

    enableButton_ = new QPushButton(QStringLiteral("&Enable"), this);
    disableButton_ = new QPushButton(QStringLiteral("&Disable"), this);
    removeButton_ = new QPushButton(QStringLiteral("&Remove..."), this);
    enableButton_->setToolTip(QStringLiteral("Put the mod back at its place in the install order"));
    disableButton_->setToolTip(QStringLiteral("Take the mod out; its bytes are kept to enable it again"));
    removeButton_->setToolTip(QStringLiteral("Take the mod out and forget it"));
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(enableButton_);
    buttons->addWidget(disableButton_);
    buttons->addWidget(removeButton_);
    buttons->addStretch();

    installationStatus_ = new QPlainTextEdit(this);
    installationStatus_->setReadOnly(true);
    installationStatus_->setMaximumHeight(QFontMetrics(font()).lineSpacing() * 4 + 8);
    installationStatus_->setToolTip(QStringLiteral("Each wad: as found, changed by mods, or changed outside"));

    const StatusRow statusRow = MakeStatusRow(this, QStringLiteral("Stop the change (Esc)"));
    statusBar_ = statusRow.bar;
    cancelButton_ = statusRow.cancel;

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(8, 8, 8, 8);
    layout->addWidget(summary_);
    layout->addWidget(splitter, 1);
    layout->addLayout(buttons);
    layout->addWidget(installationStatus_);
    layout->addLayout(statusRow.layout);

    connect(cancelButton_, &QPushButton::clicked, this, [this] { RequestCancel(); });
    connect(enableButton_, &QPushButton::clicked, this, &ModsWindow::EnableSelected);
    connect(disableButton_, &QPushButton::clicked, this, &ModsWindow::DisableSelected);
    connect(removeButton_, &QPushButton::clicked, this, &ModsWindow::RemoveSelected);
    connect(new QShortcut(QKeySequence::Delete, modList_, nullptr, nullptr, Qt::WidgetShortcut),
            &QShortcut::activated, this, &ModsWindow::RemoveSelected);
    connect(new QShortcut(QKeySequence(Qt::Key_Escape), this), &QShortcut::activated, this, &QWidget::close);
    connect(modList_->selectionModel(), &QItemSelectionModel::currentChanged, this, [this] {
        ShowEntries();
        UpdateButtons();
    });
    // The box is the mod's enabled state: ticking it enables the mod.
    connect(mods_, &QStandardItemModel::itemChanged, this, [this](QStandardItem* item) {
        if (filling_ || item->column() != kNameColumn)
            return;
        SelectMod(item->row());
        Change(item->checkState() == Qt::Checked ? ModAction::Enable : ModAction::Disable);
    });
}

void ModsWindow::ShowMods(const std::string& scope)
{
    model_ = std::make_unique<ModsWindowModel>(state_, scope);
    Reload();
    ShowInFrontLeavingTyping(*this);
}

void ModsWindow::Reload()
{
    if (!model_)
        return;
    const int selected = SelectedRow();
    RunHandler(dialogs_, [&] { model_->Reload(); });
    filling_ = true;
    mods_->removeRows(0, mods_->rowCount());
    for (const ModRow& row : model_->Rows()) {
        QStandardItem* name = Cell(row.name);
        name->setCheckable(!row.permanent);
        name->setCheckState(row.enabled ? Qt::Checked : Qt::Unchecked);
        if (row.permanent)
            name->setToolTip(QStringLiteral("Permanent: the store's cap kept no bytes to take it out"));
        QStandardItem* conflict = Cell(row.conflict.empty() ? "" : "! " + row.conflict);
        if (!row.conflict.empty())
            conflict->setToolTip(QStringLiteral("Later mods overwrite some of its entries with other bytes"));
        mods_->appendRow({name, Cell(row.date), Cell(row.archives), Cell(row.entries), conflict});
    }
    filling_ = false;
    for (int column : {kNameColumn, kDateColumn, kEntriesColumn, kConflictColumn})
        modList_->resizeColumnToContents(column);
    summary_->setText(ToQt(model_->SummaryText()));
    installationStatus_->setPlainText(ToQt(model_->StatusText()));
    SelectMod(std::min(selected < 0 ? 0 : selected, mods_->rowCount() - 1));
    ShowEntries();
    UpdateButtons();
}

void ModsWindow::SelectMod(int row)
{
    if (row >= 0 && row < mods_->rowCount())
        modList_->setCurrentIndex(mods_->index(row, kNameColumn));
}

int ModsWindow::SelectedRow() const
{
    const QModelIndex current = modList_->currentIndex();
    return current.isValid() ? current.row() : -1;
}

void ModsWindow::ShowEntries()
{
    entries_->removeRows(0, entries_->rowCount());
    const int row = SelectedRow();
    if (!model_ || row < 0)
        return;
    for (const ModEntryRow& entry : model_->EntryRows(static_cast<std::size_t>(row)))
        entries_->appendRow({Cell(entry.archive), Cell(entry.entry), Cell(entry.kind), Cell(entry.winner)});
    entryList_->resizeColumnToContents(0);
}

void ModsWindow::UpdateButtons()
{
    const int row = SelectedRow();
    const ModsWindowModel::Buttons allowed = model_ ? model_->ButtonsFor(row) : ModsWindowModel::Buttons{};
    enableButton_->setEnabled(allowed.enable);
    disableButton_->setEnabled(allowed.disable);
    removeButton_->setEnabled(allowed.remove);
}

void ModsWindow::EnableSelected()
{
    Change(ModAction::Enable);
}

void ModsWindow::DisableSelected()
{
    Change(ModAction::Disable);
}

void ModsWindow::RemoveSelected()
{
    Change(ModAction::Remove);
}

void ModsWindow::Change(ModAction action)
{
    const std::optional<ModChangeRequest> request =
        model_ ? model_->ChangeFor(
                     SelectedRow(), action, *this, [this](const std::function<void()>& work) { RunHeldBack(work); },
                     [this](const std::string& question) { return dialogs_.AskQuestion(ToQt(question)); })
               : std::nullopt;
    if (request)
        RunChange(*request);
    else
        Reload();
}

void ModsWindow::RunChange(const ModChangeRequest& request)
{
    RunOffThread([&](Frontend& frontend) { ChangeMods(state_, frontend, request); }, cancelButton_);
    Reload();
    // A change stopped or failed part way may have written some archives.
    if (changed_)
        changed_();
}

}  // namespace mw
