#pragma once

#include <QDialog>
#include <string>
#include <vector>

#include "addressbook/address_records.h"
#include "i18n/language_module.h"
#include "signlink/device_parameters.h"

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QRadioButton;

namespace signlink::ui {

// What Device Parameters offers besides the device: the present COM ports ("COM<N>"), the
// installed modems and the mail servers of the address book, each in list order.
struct DeviceChoiceLists {
  std::vector<std::string> comPorts;
  std::vector<std::string> modems;
  std::vector<std::string> mailServers;
};

// "Device Parameters" (dialog 136) for one device: the three kind check boxes, and only the
// controls of the kind they choose (device_parameters.h says which, and how the settings frame and
// the time-out label read). OK takes the fields only when the kind's checks pass; otherwise the
// refusal is shown and the dialog stays open.
class CDeviceParametersDialog final : public QDialog {
  Q_OBJECT

 public:
  CDeviceParametersDialog(const addressbook::CDevice& device, const DeviceChoiceLists& lists,
                          const std::string& caption, const i18n::LanguageModule& language,
                          QWidget* parent = nullptr);

  // The confirmed device and the fields it came from (valid after OK).
  const addressbook::CDevice& device() const { return device_; }
  const DeviceForm& form() const { return form_; }

  void accept() override;

 private:
  void buildControls(const DeviceChoiceLists& lists);
  void layOut();
  void showForm();
  void collect();      // reads the controls of the kind shown into form_
  void kindChanged();  // a check box or a modem kind radio button changed
  void showLayout();

  addressbook::CDevice device_;
  DeviceForm form_;
  DeviceTemplateTexts templateTexts_;  // the frame and label of a modem, as the template has them
  addressbook::DeviceType shownKind_ = addressbook::DeviceType::kSerial;
  QCheckBox* modem_ = nullptr;
  QCheckBox* tcpIp_ = nullptr;
  QCheckBox* email_ = nullptr;
  QGroupBox* frame_ = nullptr;
  QLabel* comPortLabel_ = nullptr;
  QComboBox* comPort_ = nullptr;
  QLabel* baudRateLabel_ = nullptr;
  QComboBox* baudRate_ = nullptr;
  QLabel* ipPortLabel_ = nullptr;
  QLineEdit* ipPort_ = nullptr;
  QRadioButton* external_ = nullptr;
  QRadioButton* internal_ = nullptr;
  QComboBox* modemList_ = nullptr;
  QLabel* timeoutLabel_ = nullptr;
  QLineEdit* timeout_ = nullptr;
  QLabel* timeoutUnit_ = nullptr;
  QComboBox* mailServers_ = nullptr;
};

}  // namespace signlink::ui
