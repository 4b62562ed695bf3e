#include "app/ui/about_dialog.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>

#include "app/ui/program_icon.h"
#include "i18n/dialog_controls.h"
#include "i18n/dialog_texts.h"
#include "i18n/ui/template_widgets.h"

namespace app::ui {
namespace {

constexpr int kPictureSize = 64;

}  // namespace

CAboutDialog::CAboutDialog(const i18n::LanguageModule& language, QWidget* parent)
    : QDialog(parent) {
  using i18n::ui::makeControl;
  constexpr int kNumber = i18n::IDD_ABOUT;
  auto* picture = new QLabel(this);
  picture->setPixmap(app::ui::programIcon().pixmap(kPictureSize, kPictureSize));
  auto* name = makeControl<QLabel>(this, kNumber, i18n::kIdAboutName);
  QFont nameFont = name->font();
  nameFont.setBold(true);
  nameFont.setPointSizeF(nameFont.pointSizeF() * 1.4);
  name->setFont(nameFont);
  auto* version = makeControl<QLabel>(this, kNumber, i18n::kIdAboutVersion);
  auto* date = makeControl<QLabel>(this, kNumber, i18n::kIdAboutDate);
  auto* ok = makeControl<QPushButton>(this, kNumber, i18n::kIdOk);
  ok->setDefault(true);
  auto* buttons = new QDialogButtonBox(this);
  buttons->addButton(ok, QDialogButtonBox::AcceptRole);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);

  auto* layout = new QGridLayout(this);
  layout->addWidget(picture, 0, 0, 3, 1, Qt::AlignTop);
  layout->addWidget(name, 0, 1);
  layout->addWidget(version, 1, 1);
  layout->addWidget(date, 2, 1);
  layout->addWidget(buttons, 3, 0, 1, 2);
  layout->setHorizontalSpacing(16);
  i18n::ui::initDialog(this, kNumber, language);
}

}  // namespace app::ui
