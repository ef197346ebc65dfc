#pragma once

#include "controls/AviReader.h"

#include <QImage>
#include <QTimer>
#include <QWidget>

#include <vector>

// The animation control: plays the frames of an AVI file (see CAviReader) in
// a range, a number of times, on a timer at the file's frame rate. The
// colour of the first frame's top-left pixel is shown transparent, so the
// picture sits on the dialog's own background.
class CAnimation : public QWidget {
    Q_OBJECT
public:
    static constexpr int kForever = -1;
    static constexpr int kLastFrame = -1;

    explicit CAnimation(QWidget* pParent = nullptr);

    CAviReader::EResult Open(const QString& strPath);
    void Close();
    bool IsOpen() const { return !m_aImages.empty(); }
    // Plays frames nFrom to nTo (kLastFrame: the last) nRepeat times
    // (kForever: until stopped), from nFrom. False when nothing is open or
    // the range is empty.
    bool Play(int nFrom, int nTo, int nRepeat);
    void Stop();
    bool IsPlaying() const { return m_timer.isActive(); }
    int CurrentFrame() const { return m_nFrame; }
    int FrameCount() const { return static_cast<int>(m_aImages.size()); }
    int FrameInterval() const { return m_timer.interval(); }

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* pEvent) override;

private:
    void OnTick();

    std::vector<QImage> m_aImages;
    QTimer m_timer;
    int m_nFrame = 0;
    int m_nFrom = 0;
    int m_nTo = 0;
    int m_nRepeatsLeft = 0;
};
