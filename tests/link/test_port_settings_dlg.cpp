#include "link/PortSettingsDlg.h"
#include "support/Screenshot.h"
#include "support/ShellRecorder.h"
#include "support/TempDir.h"

#include <QComboBox>
#include <QLineEdit>
#include <QSettings>

#include <gtest/gtest.h>

class PortSettingsDlgTest : public ::testing::Test {
protected:
    CTempDir m_dir;
    CShellRecorder m_shell;
    QSettings m_profile{QString::fromStdString(m_dir.File("profile.ini")), QSettings::IniFormat};
    CPortSettingsDlg m_dialog{m_shell, m_profile};

    void SetUp() override {
        m_dialog.m_nPort = 2;
        m_dialog.show();
    }

    void Enter(const QString& strText) {
        m_dialog.PortEdit().setText(strText);
        m_dialog.accept();
    }
};

TEST_F(PortSettingsDlgTest, ShowsTheCurrentNumber) {
    EXPECT_EQ(m_dialog.windowTitle(), "SELECT  COMM  PORT");
    EXPECT_EQ(m_dialog.PortEdit().text(), "2");
    SaveScreenshot(m_dialog, "sel-comm");
}

TEST_F(PortSettingsDlgTest, RefusesWhatIsNotAPortNumberAndStaysOpen) {
    const struct {
        const char* szText;
        const char* szMessage;
    } aCases[] = {
        {"", "Please enter an integer."},
        {"two", "Please enter an integer."},
        {"1.5", "Please enter an integer."},
        {"0", "Please enter an integer between 1 and 4."},
        {"5", "Please enter an integer between 1 and 4."},
        {"-1", "Please enter an integer between 1 and 4."},
    };
    for (const auto& aCase : aCases) {
        m_shell.ExpectBox(aCase.szMessage);
        Enter(aCase.szText);
        EXPECT_TRUE(m_dialog.isVisible()) << aCase.szText;
        EXPECT_EQ(m_dialog.m_nPort, 2) << aCase.szText;
    }
    EXPECT_EQ(m_shell.m_aBoxes.back().icon, EBoxIcon::Exclamation);
}

TEST_F(PortSettingsDlgTest, AcceptsOneToFour) {
    Enter(" 4 ");
    EXPECT_EQ(m_dialog.result(), QDialog::Accepted);
    EXPECT_EQ(m_dialog.m_nPort, 4);
    EXPECT_TRUE(m_shell.m_aBoxes.empty());
}

TEST_F(PortSettingsDlgTest, KeepsTheDeviceOfEachNumberInTheProfile) {
    m_profile.setValue("Ports/COM3", "/dev/ttyUSB7");
    CPortSettingsDlg dialog(m_shell, m_profile);
    dialog.show();
    EXPECT_EQ(dialog.DeviceBox(3).currentText(), "/dev/ttyUSB7");
    EXPECT_EQ(dialog.DeviceBox(1).lineEdit()->placeholderText(),
              CPortSettingsDlg::DefaultDevice(1));
    dialog.DeviceBox(1).setEditText(" /tmp/dvx-link ");
    dialog.DeviceBox(3).setEditText("");
    dialog.accept();
    EXPECT_EQ(m_profile.value("Ports/COM1").toString(), "/tmp/dvx-link");
    EXPECT_FALSE(m_profile.contains("Ports/COM3"));
}

TEST_F(PortSettingsDlgTest, DeviceSetByTheEnvironmentIsShownReadOnly) {
    qputenv("CORVEL_COM4", "/tmp/from-environment");
    CPortSettingsDlg dialog(m_shell, m_profile);
    dialog.show();
    qunsetenv("CORVEL_COM4");
    EXPECT_EQ(dialog.DeviceBox(4).currentText(), "/tmp/from-environment");
    EXPECT_FALSE(dialog.DeviceBox(4).isEnabled());
    dialog.accept();
    EXPECT_FALSE(m_profile.contains("Ports/COM4"));
}

TEST_F(PortSettingsDlgTest, ListsADetectedPortByPathAndDescription) {
    EXPECT_EQ(CPortSettingsDlg::DetectedText("/dev/ttyUSB0", "FT232R USB UART"),
              QString::fromUtf8("/dev/ttyUSB0 \u2014 FT232R USB UART"));
    EXPECT_EQ(CPortSettingsDlg::DetectedText("/dev/ttyS0", " "), "/dev/ttyS0");
}

// Device paths are long; the technician must see the whole of one, typed
// or set by the environment, without scrolling the field.
TEST_F(PortSettingsDlgTest, ShowsALongDevicePathWholeWithItAsTooltip) {
    const QString strTyped = "/dev/serial/by-id/usb-FTDI_FT232R_USB_UART_A9K2-if00";
    const QString strLink = "/home/technician/corvel-workspace/dvx-com1";
    m_profile.setValue("Ports/COM2", strTyped);
    qputenv("CORVEL_COM3", strLink.toLocal8Bit());
    CPortSettingsDlg dialog(m_shell, m_profile);
    dialog.show();
    qunsetenv("CORVEL_COM3");
    for (auto [nPort, strPath] : {std::pair{2, strTyped}, std::pair{3, strLink}}) {
        const QLineEdit& field = *dialog.DeviceBox(static_cast<short>(nPort)).lineEdit();
        EXPECT_EQ(field.text(), strPath);
        EXPECT_GE(field.contentsRect().width(), field.fontMetrics().horizontalAdvance(strPath))
            << "COM" << nPort;
        EXPECT_TRUE(dialog.DeviceBox(static_cast<short>(nPort)).toolTip().startsWith(strPath));
    }
}
