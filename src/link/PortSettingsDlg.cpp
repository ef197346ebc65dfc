#include "link/PortSettingsDlg.h"

#include "model/ShellServices.h"
#include "shell/HelpRouter.h"
#include "ui_PortSettingsDlg.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QLineEdit>
#include <QSerialPortInfo>
#include <QSettings>

#include <algorithm>

namespace {

// Field widths in characters: room for the usual paths, and no wider than
// a dialog should grow; a longer path scrolls and shows whole as tooltip.
constexpr int kMinDeviceChars = 24;
constexpr int kMaxDeviceChars = 56;

} // namespace

CPortSettingsDlg::CPortSettingsDlg(CShellServices& shell, QSettings& profile, QWidget* pParent)
    : QDialog(pParent), m_pUi(std::make_unique<Ui::CPortSettingsDlg>()), m_shell(shell),
      m_profile(profile) {
    m_pUi->setupUi(this);
    setObjectName("PortSettingsDlg");
    setProperty(CHelpRouter::kSectionProperty, "port");
    QStringList astrPaths;
    QStringList astrTexts;
    for (const QSerialPortInfo& info : QSerialPortInfo::availablePorts()) {
        astrPaths << info.systemLocation();
        astrTexts << DetectedText(info.systemLocation(), info.description());
    }
    QStringList astrInSight = astrPaths;
    for (short nPort = kMinPort; nPort <= kMaxPort; ++nPort)
        astrInSight << QString::fromLocal8Bit(qgetenv(EnvironmentName(nPort).constData()))
                    << m_profile.value(ProfileKey(nPort)).toString();
    // A field's width is counted in x's; paths hold wider letters.
    const int nCharWidth = std::max(1, fontMetrics().horizontalAdvance(QLatin1Char('x')));
    int nChars = kMinDeviceChars;
    for (const QString& strPath : astrInSight)
        nChars = std::max(nChars, fontMetrics().horizontalAdvance(strPath) / nCharWidth + 2);
    nChars = std::min(nChars, kMaxDeviceChars);
    QWidget* pPrevious = m_pUi->IDC_PORT;
    for (short nPort = kMinPort; nPort <= kMaxPort; ++nPort)
        AddDeviceBox(nPort, astrPaths, astrTexts, nChars, pPrevious);
}

// The list shows what each detected port is; picking one puts only its
// path into the field, and the path is what is kept.
void CPortSettingsDlg::AddDeviceBox(short nPort, const QStringList& astrPaths,
                                    const QStringList& astrTexts, int nChars, QWidget*& pPrevious) {
    auto* pBox = new QComboBox(m_pUi->devicesBox);
    pBox->setObjectName(QString("IDC_DEVICE%1").arg(nPort));
    pBox->setEditable(true);
    pBox->setInsertPolicy(QComboBox::NoInsert);
    pBox->setMinimumContentsLength(nChars);
    pBox->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    pBox->view()->setTextElideMode(Qt::ElideMiddle);
    for (qsizetype i = 0; i < astrPaths.size(); ++i)
        pBox->addItem(astrTexts[i], astrPaths[i]);
    pBox->lineEdit()->setPlaceholderText(DefaultDevice(nPort));
    connect(pBox, &QComboBox::activated, pBox,
            [pBox](int nIndex) { pBox->setEditText(pBox->itemData(nIndex).toString()); });
    connect(pBox, &QComboBox::editTextChanged, pBox, [pBox](const QString& strText) {
        if (pBox->isEnabled())
            pBox->setToolTip(strText);
    });
    m_pUi->devicesLayout->addRow(QString("COM%1").arg(nPort), pBox);
    setTabOrder(pPrevious, pBox);
    pPrevious = pBox;
    m_apDevice[nPort - 1] = pBox;
}

CPortSettingsDlg::~CPortSettingsDlg() = default;

QLineEdit& CPortSettingsDlg::PortEdit() const { return *m_pUi->IDC_PORT; }

QComboBox& CPortSettingsDlg::DeviceBox(short nPort) const { return *m_apDevice[nPort - 1]; }

QString CPortSettingsDlg::ProfileKey(short nPort) { return QString("Ports/COM%1").arg(nPort); }

QString CPortSettingsDlg::DefaultDevice(short nPort) {
#ifdef Q_OS_WIN
    return QString("COM%1").arg(nPort);
#else
    return QString("/dev/ttyS%1").arg(nPort - 1);
#endif
}

QByteArray CPortSettingsDlg::EnvironmentName(short nPort) {
    return QString("CORVEL_COM%1").arg(nPort).toLatin1();
}

QString CPortSettingsDlg::DetectedText(const QString& strPath, const QString& strDescription) {
    if (strDescription.trimmed().isEmpty())
        return strPath;
    return strPath + QString::fromUtf8(" \u2014 ") + strDescription.trimmed();
}

void CPortSettingsDlg::showEvent(QShowEvent* pEvent) {
    if (!m_bInitialised)
        OnInitDialog();
    QDialog::showEvent(pEvent);
}

void CPortSettingsDlg::OnInitDialog() {
    m_bInitialised = true;
    PortEdit().setText(QString::number(m_nPort));
    PortEdit().selectAll();
    PortEdit().setFocus();
    for (short nPort = kMinPort; nPort <= kMaxPort; ++nPort) {
        QComboBox& box = DeviceBox(nPort);
        QByteArray abEnvironment = qgetenv(EnvironmentName(nPort).constData());
        if (!abEnvironment.isEmpty()) {
            ShowEnvironmentDevice(box, nPort, QString::fromLocal8Bit(abEnvironment));
            continue;
        }
        box.setEditText(m_profile.value(ProfileKey(nPort)).toString());
    }
}

// The field cannot be scrolled while it is read-only, so a path too long
// for it loses its middle, where device paths differ least.
void CPortSettingsDlg::ShowEnvironmentDevice(QComboBox& box, short nPort,
                                             const QString& strDevice) {
    box.setEnabled(false);
    const QFontMetrics metrics = box.lineEdit()->fontMetrics();
    box.setEditText(
        metrics.elidedText(strDevice, Qt::ElideMiddle,
                           metrics.horizontalAdvance(QLatin1Char('x')) * (kMaxDeviceChars - 2)));
    box.setToolTip(QString("%1\nSet by the environment variable %2")
                       .arg(strDevice, QString::fromLatin1(EnvironmentName(nPort))));
}

void CPortSettingsDlg::accept() {
    if (!DoDataExchange()) {
        PortEdit().setFocus();
        PortEdit().selectAll();
        return;
    }
    StoreDevices();
    QDialog::accept();
}

bool CPortSettingsDlg::DoDataExchange() {
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

void CPortSettingsDlg::StoreDevices() {
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
