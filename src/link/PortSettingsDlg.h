#pragma once

#include "shell/Settings.h"

#include <QDialog>

#include <memory>
#include <string>

class CShellServices;
class QComboBox;
class QLineEdit;
class QSettings;

namespace Ui {
class CPortSettingsDlg;
}

// SELECT COMM PORT: the port number of the controller link (1 to 4) and,
// for each number, the device it stands for. A device typed or picked here
// is kept in the profile under Ports/COM<N>; an environment variable
// CORVEL_COM<N> overrides it and is shown instead, read-only. Device paths
// are long (/dev/serial/by-id/...), so the fields are made wide enough for
// the paths in sight and carry the whole path as their tooltip.
class CPortSettingsDlg : public QDialog {
    Q_OBJECT
public:
    static constexpr short kMinPort = CSettings::kMinPort;
    static constexpr short kMaxPort = CSettings::kMaxPort;

    CPortSettingsDlg(CShellServices& shell, QSettings& profile, QWidget* pParent = nullptr);
    ~CPortSettingsDlg() override;

    // Puts m_nPort and the devices into the fields.
    void OnInitDialog();
    // Checks the number (as the dialog framework does, with its messages)
    // and keeps it and the devices; a bad number keeps the dialog open.
    void accept() override;

    QLineEdit& PortEdit() const;
    QComboBox& DeviceBox(short nPort) const;

    // The profile key of port number N.
    static QString ProfileKey(short nPort);
    // The device the platform calls port number N.
    static QString DefaultDevice(short nPort);
    // The environment variable that overrides port number N.
    static QByteArray EnvironmentName(short nPort);
    // How a detected port is listed: "path — description" (the adapter's
    // name), or the path alone when the system knows no description.
    static QString DetectedText(const QString& strPath, const QString& strDescription);

    short m_nPort = 1;

protected:
    void showEvent(QShowEvent* pEvent) override;

private:
    bool DoDataExchange();
    void StoreDevices();
    void AddDeviceBox(short nPort, const QStringList& astrPaths, const QStringList& astrTexts,
                      int nChars, QWidget*& pPrevious);
    void ShowEnvironmentDevice(QComboBox& box, short nPort, const QString& strDevice);

    std::unique_ptr<Ui::CPortSettingsDlg> m_pUi;
    CShellServices& m_shell;
    QSettings& m_profile;
    QComboBox* m_apDevice[kMaxPort] = {};
    bool m_bInitialised = false;
};
