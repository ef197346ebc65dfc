#include "link/SelComm.h"

#include "model/ShellServices.h"
#include "shell/HelpRouter.h"
#include "ui_SelComm.h"

#include <QComboBox>
#include <QLineEdit>
#include <QSerialPortInfo>
#include <QSettings>

CSelComm::CSelComm(CShellServices& shell, QSettings& profile, QWidget* pParent)
    : QDialog(pParent), m_pUi(std::make_unique<Ui::CSelComm>()), m_shell(shell),
      m_profile(profile) {
    m_pUi->setupUi(this);
    setObjectName("SelComm");
    setProperty(CHelpRouter::kSectionProperty, "port");
    QStringList astrDetected;
    for (const QSerialPortInfo& info : QSerialPortInfo::availablePorts())
        astrDetected << info.systemLocation();
    QWidget* pPrevious = m_pUi->IDC_PORT;
    for (short nPort = kMinPort; nPort <= kMaxPort; ++nPort) {
        auto* pBox = new QComboBox(m_pUi->devicesBox);
        pBox->setObjectName(QString("IDC_DEVICE%1").arg(nPort));
        pBox->setEditable(true);
        pBox->setInsertPolicy(QComboBox::NoInsert);
        pBox->setMinimumContentsLength(22);
        pBox->addItems(astrDetected);
        pBox->lineEdit()->setPlaceholderText(DefaultDevice(nPort));
        m_pUi->devicesLayout->addRow(QString("COM%1").arg(nPort), pBox);
        setTabOrder(pPrevious, pBox);
        pPrevious = pBox;
        m_apDevice[nPort - 1] = pBox;
    }
}

CSelComm::~CSelComm() = default;

QLineEdit& CSelComm::PortEdit() const { return *m_pUi->IDC_PORT; }

QComboBox& CSelComm::DeviceBox(short nPort) const { return *m_apDevice[nPort - 1]; }

QString CSelComm::ProfileKey(short nPort) { return QString("Ports/COM%1").arg(nPort); }

QString CSelComm::DefaultDevice(short nPort) {
#ifdef Q_OS_WIN
    return QString("COM%1").arg(nPort);
#else
    return QString("/dev/ttyS%1").arg(nPort - 1);
#endif
}

QByteArray CSelComm::EnvironmentName(short nPort) {
    return QString("CORVEL_COM%1").arg(nPort).toLatin1();
}

void CSelComm::showEvent(QShowEvent* pEvent) {
    if (!m_bInitialised)
        OnInitDialog();
    QDialog::showEvent(pEvent);
}

void CSelComm::OnInitDialog() {
    m_bInitialised = true;
    PortEdit().setText(QString::number(m_nPort));
    PortEdit().selectAll();
    PortEdit().setFocus();
    for (short nPort = kMinPort; nPort <= kMaxPort; ++nPort) {
        QComboBox& box = DeviceBox(nPort);
        QByteArray abEnvironment = qgetenv(EnvironmentName(nPort).constData());
        if (!abEnvironment.isEmpty()) {
            box.setEditText(QString::fromLocal8Bit(abEnvironment));
            box.setEnabled(false);
            box.setToolTip(QString("Set by the environment variable %1")
                               .arg(QString::fromLatin1(EnvironmentName(nPort))));
            continue;
        }
        box.setEditText(m_profile.value(ProfileKey(nPort)).toString());
    }
}

void CSelComm::accept() {
    if (!DoDataExchange()) {
        PortEdit().setFocus();
        PortEdit().selectAll();
        return;
    }
    StoreDevices();
    QDialog::accept();
}

bool CSelComm::DoDataExchange() {
    bool bInteger = false;
    int nPort = PortEdit().text().trimmed().toInt(&bInteger);
    if (!bInteger) {
        m_shell.MessageBox("Please enter an integer.", EBoxButtons::Ok, EBoxIcon::Exclamation);
        return false;
    }
    if (nPort < kMinPort || nPort > kMaxPort) {
        m_shell.MessageBox(QString("Please enter an integer between %1 and %2.")
                               .arg(kMinPort)
                               .arg(kMaxPort)
                               .toStdString(),
                           EBoxButtons::Ok, EBoxIcon::Exclamation);
        return false;
    }
    m_nPort = static_cast<short>(nPort);
    return true;
}

void CSelComm::StoreDevices() {
    for (short nPort = kMinPort; nPort <= kMaxPort; ++nPort) {
        const QComboBox& box = DeviceBox(nPort);
        if (!box.isEnabled())
            continue;
        QString strDevice = box.currentText().trimmed();
        if (strDevice.isEmpty())
            m_profile.remove(ProfileKey(nPort));
        else
            m_profile.setValue(ProfileKey(nPort), strDevice);
    }
    m_profile.sync();
}
