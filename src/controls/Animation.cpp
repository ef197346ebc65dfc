#include "controls/Animation.h"

#include <QFile>
#include <QPainter>

CAnimation::CAnimation(QWidget* pParent) : QWidget(pParent) {
    connect(&m_timer, &QTimer::timeout, this, &CAnimation::OnTick);
}

CAviReader::EResult CAnimation::Open(const QString& strPath) {
    Close();
    CAviReader file;
    CAviReader::EResult result = file.Load(QFile::encodeName(strPath).toStdString());
    if (result != CAviReader::EResult::Ok)
        return result;
    const uint32_t nKey = file.Frame(0).front();
    for (int i = 0; i < file.FrameCount(); ++i) {
        QImage image(file.Width(), file.Height(), QImage::Format_ARGB32);
        const std::vector<uint32_t>& anPixels = file.Frame(i);
        for (int y = 0; y < file.Height(); ++y) {
            auto* pLine = reinterpret_cast<uint32_t*>(image.scanLine(y));
            for (int x = 0; x < file.Width(); ++x) {
                uint32_t nPixel = anPixels[static_cast<std::size_t>(y) * file.Width() + x];
                pLine[x] = nPixel == nKey ? 0u : nPixel;
            }
        }
        m_aImages.push_back(std::move(image));
    }
    m_timer.setInterval((file.MicroSecPerFrame() + 500) / 1000);
    updateGeometry();
    update();
    return result;
}

void CAnimation::Close() {
    Stop();
    m_aImages.clear();
    m_nFrame = 0;
    update();
}

bool CAnimation::Play(int nFrom, int nTo, int nRepeat) {
    Stop();
    int nLast = FrameCount() - 1;
    if (nTo == kLastFrame)
        nTo = nLast;
    if (!IsOpen() || nFrom < 0 || nFrom > nTo || nTo > nLast || nRepeat == 0)
        return false;
    m_nFrom = nFrom;
    m_nTo = nTo;
    m_nRepeatsLeft = nRepeat;
    m_nFrame = nFrom;
    update();
    m_timer.start();
    return true;
}

void CAnimation::Stop() { m_timer.stop(); }

void CAnimation::OnTick() {
    if (m_nFrame < m_nTo) {
        ++m_nFrame;
    } else if (m_nRepeatsLeft == kForever || --m_nRepeatsLeft > 0) {
        m_nFrame = m_nFrom;
    } else {
        m_timer.stop();
        return;
    }
    update();
}

QSize CAnimation::sizeHint() const { return IsOpen() ? m_aImages.front().size() : QSize(48, 48); }

void CAnimation::paintEvent(QPaintEvent*) {
    if (!IsOpen())
        return;
    const QImage& image = m_aImages[static_cast<std::size_t>(m_nFrame)];
    QPainter painter(this);
    painter.drawImage((width() - image.width()) / 2, (height() - image.height()) / 2, image);
}
