#include "addressbook/ui/group_parameters_dialog.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>
#include <utility>

#include "addressbook/book_edits.h"
#include "i18n/dialog_controls.h"
#include "i18n/dialog_texts.h"
#include "i18n/ui/message_boxes.h"
#include "i18n/ui/template_widgets.h"
#include "platform/ui/qt_text.h"

namespace addressbook::ui {

using platform::ui::fromCp1252;

namespace {

constexpr int kNumber = i18n::IDD_GROUP_PARAMETERS;

QListWidget* makeList(QWidget* parent, int id) {
  auto* list = new QListWidget(parent);
  i18n::ui::setControlId(list, id);
  return list;
}

}  // namespace

CGroupParametersDialog::CGroupParametersDialog(const CAddressBook& book,
                                               std::vector<std::string> members,
                                               const std::string& caption,
                                               const i18n::LanguageModule& language,
                                               QWidget* parent)
    : QDialog(parent), book_(book), members_(std::move(members)) {
  using i18n::ui::makeControl;
  auto* allLabel = makeControl<QLabel>(this, kNumber, i18n::kIdGroupAllSitesLabel);
  allSites_ = makeList(this, i18n::kIdGroupAllSites);
  allSites_->setSelectionMode(QAbstractItemView::ExtendedSelection);
  auto* include = makeControl<QPushButton>(this, kNumber, i18n::kIdGroupIncludeSite);
  auto* remove = makeControl<QPushButton>(this, kNumber, i18n::kIdGroupRemoveSite);
  auto* membersLabel = makeControl<QLabel>(this, kNumber, i18n::kIdGroupMembersLabel);
  memberList_ = makeList(this, i18n::kIdGroupMembers);
  auto* buttons = i18n::ui::makeOkCancelButtons(this, kNumber);
  // Enter in a list confirms the dialog; the list buttons act only when pressed.
  include->setAutoDefault(false);
  remove->setAutoDefault(false);

  auto* middle = new QVBoxLayout;
  middle->addStretch();
  middle->addWidget(include);
  middle->addWidget(remove);
  middle->addStretch();
  auto* grid = new QGridLayout;
  grid->addWidget(allLabel, 0, 0);
  grid->addWidget(membersLabel, 0, 2);
  grid->addWidget(allSites_, 1, 0);
  grid->addLayout(middle, 1, 1);
  grid->addWidget(memberList_, 1, 2);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(grid);
  layout->addWidget(buttons);
  i18n::ui::initDialog(this, kNumber, language);
  setWindowTitle(fromCp1252(caption));

  for (const CSite& site : book.sites)
    allSites_->addItem(fromCp1252(site.name));
  showMembers();
  connect(include, &QPushButton::clicked, this, &CGroupParametersDialog::includeSelected);
  connect(remove, &QPushButton::clicked, this, &CGroupParametersDialog::removeSelected);
}

void CGroupParametersDialog::showMembers() {
  memberList_->clear();
  for (const std::string& name : members_)
    memberList_->addItem(fromCp1252(name));
}

void CGroupParametersDialog::includeSelected() {
  std::vector<std::string> selected;
  // In the order of the list of all sites, which is the book's.
  for (int row = 0; row < allSites_->count(); ++row) {
    if (allSites_->item(row)->isSelected())
      selected.push_back(book_.sites.at(static_cast<size_t>(row)).name);
  }
  const platform::Status verdict = includeSites(&members_, selected);
  if (!verdict.ok()) {
    i18n::ui::showWarningBox(this, verdict.message());
    return;
  }
  showMembers();
}

void CGroupParametersDialog::removeSelected() {
  const QList<QListWidgetItem*> selected = memberList_->selectedItems();
  const std::string name =
      selected.isEmpty() ? std::string()
                         : members_.at(static_cast<size_t>(memberList_->row(selected.front())));
  const platform::Status verdict = removeMember(&members_, name);
  if (!verdict.ok()) {
    i18n::ui::showWarningWithErrorIcon(this, verdict.message());
    return;
  }
  showMembers();
}

std::optional<std::vector<std::string>> askGroupMembers(const CAddressBook& book,
                                                        std::vector<std::string> members,
                                                        const std::string& caption,
                                                        const i18n::LanguageModule& language,
                                                        QWidget* parent) {
  CGroupParametersDialog dialog(book, std::move(members), caption, language, parent);
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  return dialog.members();
}

}  // namespace addressbook::ui
