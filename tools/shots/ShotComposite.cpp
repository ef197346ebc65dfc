#include "ShotComposite.h"

#include <QApplication>
#include <QFontMetrics>
#include <QLabel>
#include <QPainter>
#include <QPixmap>

namespace {

constexpr int kTitleBarExtra = 10;
constexpr int kBorder = 1;

struct CGrabbed {
    QPixmap picture;
    QRect frame; // title bar and border included, in logical pixels
    QString strTitle;
};

int TitleBarHeight() { return QFontMetrics(QApplication::font()).height() + kTitleBarExtra; }

void DrawFrame(QPainter& painter, const CGrabbed& window) {
    const int nTitle = TitleBarHeight();
    painter.fillRect(window.frame, QColor(60, 60, 70));
    QRect title(window.frame.left() + kBorder, window.frame.top() + kBorder,
                window.frame.width() - 2 * kBorder, nTitle);
    painter.fillRect(title, QColor(45, 80, 140));
    painter.setPen(Qt::white);
    QFont bold = QApplication::font();
    bold.setBold(true);
    painter.setFont(bold);
    painter.drawText(title.adjusted(8, 0, -8, 0), Qt::AlignVCenter | Qt::AlignLeft,
                     window.strTitle);
    painter.drawPixmap(window.frame.topLeft() + QPoint(kBorder, kBorder + nTitle), window.picture);
}

} // namespace

std::unique_ptr<QWidget> ComposeWindows(const std::vector<CPlacedWindow>& aWindows) {
    std::vector<CGrabbed> aGrabbed;
    QRect bounds;
    qreal dRatio = 1;
    for (const CPlacedWindow& placed : aWindows) {
        placed.pWindow->show();
        QApplication::processEvents();
    }
    for (const CPlacedWindow& placed : aWindows) {
        CGrabbed grabbed;
        grabbed.picture = placed.pWindow->grab();
        grabbed.strTitle = placed.pWindow->windowTitle();
        const QSize size = placed.pWindow->size();
        grabbed.frame = QRect(placed.at, QSize(size.width() + 2 * kBorder,
                                               size.height() + TitleBarHeight() + 2 * kBorder));
        dRatio = grabbed.picture.devicePixelRatio();
        bounds = bounds.united(grabbed.frame);
        aGrabbed.push_back(grabbed);
    }
    QPixmap canvas(bounds.size() * dRatio);
    canvas.setDevicePixelRatio(dRatio);
    canvas.fill(QColor(0, 128, 128));
    {
        QPainter painter(&canvas);
        painter.translate(-bounds.topLeft());
        for (const CGrabbed& window : aGrabbed)
            DrawFrame(painter, window);
    }
    auto pPicture = std::make_unique<QLabel>();
    pPicture->setPixmap(canvas);
    pPicture->resize(bounds.size());
    return pPicture;
}
