#include "ui/pc_pane/auto_save_dialog.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "explorer/new_folder.h"
#include "ui/common/dialog_frame.h"
#include "ui/pc_pane/explorer_artwork.h"
#include "ui/pc_pane/folder_tree_view.h"
#include "ui/pc_pane/new_folder_dialog.h"

namespace tesmora::ui {
namespace {
constexpr QSize kDesignedSize(408, 223);
}  // namespace

TRepSaveAuto100d::TRepSaveAuto100d(const LanguageState& language, Prompter& prompter,
                                   QWidget* parent)
    : QDialog(parent), language_(language), prompter_(prompter) {
  setObjectName("RepSaveAuto100d");
  zaNewRep = new QLabel(this);
  zaNewRep->setObjectName("zaNewRep");
  zeNewRep = new QLineEdit(this);
  zeNewRep->setObjectName("zeNewRep");
  zeNewRep->setReadOnly(true);
  zaNewRep->setBuddy(zeNewRep);
  TVChoixRep = new FolderTreeView("TVChoixRep", model_.tree(), false, this);
  TVChoixRep->setMinimumSize(297, 169);
  TVChoixRep->onNodeSelected = [this](explorer::NodeId id) {
    TVChoixRep->Apply(model_.Select(id));
    zeNewRep->setText(FromUtf8(model_.zeNewRep()));
  };
  const auto buttons = AddOkEscButtons(*this, "OKBtn", "CancelBtn");
  OKBtn = buttons.ok;
  CancelBtn = buttons.esc;
  connect(OKBtn, &QPushButton::clicked, this, &QDialog::accept);
  bNewRep = new QPushButton(this);
  bNewRep->setObjectName("bNewRep");
  connect(bNewRep, &QPushButton::clicked, this, &TRepSaveAuto100d::bNewRepClick);

  auto* grid = new QGridLayout(this);
  grid->addWidget(zaNewRep, 0, 0);
  grid->addWidget(zeNewRep, 0, 1);
  grid->addWidget(TVChoixRep, 1, 0, 4, 2);
  grid->addWidget(OKBtn, 1, 2);
  grid->addWidget(CancelBtn, 2, 2);
  grid->addWidget(bNewRep, 4, 2);
  resize(kDesignedSize);
  Relabel();
  CentreOnPrimaryScreen(*this);
}

bool TRepSaveAuto100d::Busy() const { return TVChoixRep->Busy(); }

void TRepSaveAuto100d::Relabel() {
  setWindowTitle(Message(msg::kAutoSaveTitle, language_));
  zaNewRep->setText(Message(msg::kDirectoryLabel, language_));
  CancelBtn->setText(Message(msg::kEscButton, language_));
  bNewRep->setText(Message(msg::kNewFolderButton, language_));
  bNewRep->setIcon(NodeStateIcon(explorer::kNodeFolder));
  NameControlsForReader(*this, {{"zeNewRep", Message(msg::kDirectoryLabel, language_), {}},
                                {"TVChoixRep", Message(msg::kAutoSaveTitle, language_), {}},
                                {"CancelBtn", UiString(UiText::Cancel, language_), "ESC"}});
}

void TRepSaveAuto100d::FormShow(const Settings& settings) {
  Relabel();
  FixSizeAtLeast(*this, kDesignedSize);
  zeNewRep->setText(FromUtf8(settings.AutoSaveDirectory));
  TVChoixRep->clear();
  // The fill selects no node for the dialog: the stored directory stays
  // shown until the user picks one.
  const Settings stored = settings;
  TVChoixRep->ListInBackground(
      [stored](platform::FileSystem& fs) {
        explorer::AutoSaveDirectoryDialog rehearsal;
        rehearsal.Show(stored, fs);
      },
      [this, stored](platform::FileSystem& fs) {
        model_.Show(stored, fs);
        TVChoixRep->Rebuild();
        zeNewRep->setText(FromUtf8(model_.zeNewRep()));
      });
}

bool TRepSaveAuto100d::Run(Settings& settings, std::shared_ptr<platform::FileSystem> fs) {
  TVChoixRep->SetFileSystem(std::move(fs));
  FormShow(settings);
  if (exec() != QDialog::Accepted) return false;
  return model_.Ok(settings, prompter_, language_);
}

void TRepSaveAuto100d::bNewRepClick() {
  const explorer::NodeId node = TVChoixRep->CurrentNode();
  explorer::FolderTree& tree = model_.tree();
  if (newFolder_ == nullptr || !tree.Contains(node) ||
      !explorer::AcceptsNewFolder(tree.Node(node).state))
    return;
  const std::optional<std::string> name = newFolder_->Ask(tree.NodePath(node).path);
  if (!name) return;
  const explorer::OperationContext context{*TVChoixRep->fileSystem(), prompter_, language_};
  TVChoixRep->Apply(explorer::CreateNewFolderNode(context, tree, node, *name).change);
}

}  // namespace tesmora::ui
