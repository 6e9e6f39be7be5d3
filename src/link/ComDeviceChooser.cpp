#include "link/ComDeviceChooser.h"

#include "lang/LanguageTexts.h"
#include "link/ComPortMap.h"
#include "link/PortDiagnosis.h"

#include <QFileInfo>

namespace {

// Two names for one device (a by-id link and its ttyUSB) are the same choice.
bool sameDevice(const QString& a, const QString& b) {
    if (a == b)
        return true;
    const QString canonical = QFileInfo(a).canonicalFilePath();
    return !canonical.isEmpty() && canonical == QFileInfo(b).canonicalFilePath();
}

} // namespace

ComDeviceChooser::ComDeviceChooser(Globals& g) : g_(g), list_(&system_) {}

void ComDeviceChooser::Form_Load(int comPort) {
    DeviceFrame.setCaption(NamedText(g_, u"PORTADispositivo"));
    RefreshDevices.setCaption(NamedText(g_, u"PORTAAggiorna"));
    UseDevicePath.setCaption(NamedText(g_, u"PORTAUsa"));
    comPort_ = comPort;
    showMapping();
}

void ComDeviceChooser::showPort(int comPort) {
    comPort_ = comPort;
    showMapping();
}

void ComDeviceChooser::RefreshDevices_Click() {
    devices_ = list_->devices();
    QStringList rows;
    for (const SerialDevice& device : devices_)
        rows << DeviceListEntry(device);
    DeviceList.setItems(rows);
    showMapping();
}

void ComDeviceChooser::DeviceList_Click() {
    const int row = DeviceList.listIndex();
    if (row < 0 || row >= devices_.size())
        return;
    assign(PreferredDeviceName(devices_[row]));
}

void ComDeviceChooser::UseDevicePath_Click() {
    assign(DevicePath.text());
}

void ComDeviceChooser::assign(const QString& device) {
    if (SetComPortDevice(comPort_, device))
        showMapping();
}

void ComDeviceChooser::showMapping() {
    const QString device = ComPortDevice(comPort_);
    DevicePath.setText(device);
    int row = -1;
    for (int i = 0; i < devices_.size() && row < 0; ++i)
        if (sameDevice(device, PreferredDeviceName(devices_[i])) || sameDevice(device, devices_[i].systemLocation))
            row = i;
    DeviceList.setListIndex(row);

    QString text = QStringLiteral("COM%1 = %2").arg(comPort_).arg(device);
    ui::Colour colour = ui::colour::SystemFace;
    if (!QFileInfo::exists(device)) {
        PortOpenDiagnosis missing;
        missing.device = device;
        missing.problem = IsStableDeviceName(device) ? PortOpenProblem::Unplugged : PortOpenProblem::Missing;
        text = QStringLiteral("COM%1: ").arg(comPort_) + PortOpenDiagnosisText(g_, missing);
        colour = ui::colour::Red;
    }
    DeviceMapping.setCaption(text);
    DeviceMapping.setBackColor(colour);
}
