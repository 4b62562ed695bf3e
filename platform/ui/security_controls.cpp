#include "platform/ui/security_controls.h"

#include <QComboBox>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>

#include "platform/ui/qt_text.h"

namespace platform::ui {

SecurityControls::SecurityControls(QWidget* parent, const SecurityControlTexts& texts,
                                   int shownPolicy, const std::string& caFile)
    : policyList_(new QComboBox(parent)),
      caFileRow_(new QWidget(parent)),
      caFileField_(new QLineEdit(QFile::decodeName(caFile.c_str()), caFileRow_)),
      browseButton_(new QPushButton(fromCp1252(texts.browse), caFileRow_)) {
  for (const std::string& policy : texts.policies)
    policyList_->addItem(fromCp1252(policy));
  policyList_->setCurrentIndex(shownPolicy);
  browseButton_->setAutoDefault(false);
  auto* row = new QHBoxLayout(caFileRow_);
  row->setContentsMargins(0, 0, 0, 0);
  row->addWidget(caFileField_, 1);
  row->addWidget(browseButton_);
  QObject::connect(browseButton_, &QPushButton::clicked, parent,
                   [field = caFileField_, parent, title = fromCp1252(texts.browseTitle),
                    filter = fromCp1252(texts.fileFilter)] {
                     const QString start = QFileInfo(field->text()).absolutePath();
                     const QString chosen =
                         QFileDialog::getOpenFileName(parent, title, start, filter);
                     if (!chosen.isEmpty()) field->setText(chosen);
                   });
}

std::string SecurityControls::caFilePath() const {
  return QFile::encodeName(caFileField_->text().trimmed()).toStdString();
}

}  // namespace platform::ui
