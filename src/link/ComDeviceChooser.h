#pragma once

#include "link/SerialDevices.h"
#include "ui/Controls.h"

#include <QList>

struct Globals;

// The device behind a set-up window's COM number: the serial devices present,
// a refresh button and a field for any other path. Choosing one makes the COM
// number stand for it in Conf.ini at once; the COM number itself stays the
// window's own choice.
class ComDeviceChooser {
  public:
    explicit ComDeviceChooser(Globals& g);

    ui::Frame DeviceFrame;
    ui::ListBox DeviceList;
    ui::Button RefreshDevices;
    ui::TextBox DevicePath;
    ui::Button UseDevicePath;
    // What the COM number stands for now, and whether it is there.
    ui::Label DeviceMapping;

    // Where the devices come from; the system's unless a test gives its own.
    void useDeviceList(const SerialDeviceList& list) { list_ = &list; }

    // Shows what the COM number stands for. The list itself is filled by the
    // refresh, which the window runs as it shows: asking the system takes a
    // while, and a window nobody looks at needs no list.
    void Form_Load(int comPort);
    // The window's COM number changed.
    void showPort(int comPort);
    void RefreshDevices_Click();
    void DeviceList_Click();
    void UseDevicePath_Click();

    const QList<SerialDevice>& shownDevices() const { return devices_; }

  private:
    void assign(const QString& device);
    void showMapping();

    Globals& g_;
    SystemSerialDevices system_;
    const SerialDeviceList* list_;
    QList<SerialDevice> devices_;
    int comPort_ = 1;
};
