#include "dartsboardwidget.h"

#include "games/dartsboard.h"
#include "games/dartsgame.h"

#include <QPainter>

#include <cmath>

namespace {
using namespace DartsBoard;

constexpr double kTwipsPerPixel = 15;
const QColor kLocalColour(0, 255, 0);
const QColor kRemoteColour(255, 128, 128);

// Meter boxes, in the board's frame (window position minus the board's corner).
constexpr double kMeterLeft = 1080 - kLeft;
constexpr double kControlTop = 5400 - kTop;
constexpr double kPowerTop = 5760 - kTop;
constexpr double kMeterHeight = 255;

void ring(QPainter& p, double radius, const QColor& fill) {
    p.setBrush(fill);
    p.drawEllipse(QPointF(kCentreX, kCentreY), radius, radius);
}

void drawMarker(QPainter& p, const DartsMarker& marker, const QColor& colour) {
    if (!marker.shown)
        return;
    const QRectF span(0, 0, DartsBoardWidget::kSpanWidth, DartsBoardWidget::kSpanHeight);
    const QRectF box(marker.point.x() - kMarkerSize / 2, marker.point.y() - kMarkerSize / 2,
                     kMarkerSize, kMarkerSize);
    // A partner's dart can be anywhere a 32-bit number reaches: only what is in view is drawn.
    if (!span.intersects(box))
        return;
    p.setPen(QPen(colour, 0));
    p.setBrush(marker.black ? QColor(0, 0, 0) : colour);
    p.drawEllipse(box);
}

void drawMeter(QPainter& p, double top, int width) {
    p.setPen(QPen(Qt::black, 0));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRectF(kMeterLeft, top, kMeterMax, kMeterHeight));
    p.setBrush(QColor(255, 160, 0));
    p.drawRect(QRectF(kMeterLeft, top, width, kMeterHeight));
}
} // namespace

DartsBoardWidget::DartsBoardWidget(const DartsView& view, QWidget* parent)
    : QWidget(parent), m_view(view), m_board(drawBoard()) {
    setObjectName(QStringLiteral("DartsBoardImage"));
    setFixedSize(int(kSpanWidth / kTwipsPerPixel), int(kSpanHeight / kTwipsPerPixel));
}

QPixmap DartsBoardWidget::drawBoard() {
    QPixmap picture(int(kWidth / kTwipsPerPixel), int(kHeight / kTwipsPerPixel));
    picture.fill(QColor(40, 40, 40));
    QPainter p(&picture);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(1 / kTwipsPerPixel, 1 / kTwipsPerPixel);
    p.setPen(QPen(QColor(200, 200, 200), 0));
    ring(p, kDouble, QColor(200, 30, 30));
    ring(p, kOuterSingle, QColor(240, 230, 200));
    ring(p, kTriple, QColor(30, 140, 60));
    ring(p, kInnerSingle, QColor(240, 230, 200));
    // Sector borders lie 9 degrees either side of each sector's centre line.
    for (int sector = 0; sector < 20; ++sector) {
        const double angle = (2 * sector + 1) * kPi / 20;
        p.drawLine(
            QPointF(kCentreX + kSingleBull * std::cos(angle),
                    kCentreY + kSingleBull * std::sin(angle)),
            QPointF(kCentreX + kDouble * std::cos(angle), kCentreY + kDouble * std::sin(angle)));
    }
    ring(p, kSingleBull, QColor(30, 140, 60));
    ring(p, kDoubleBull, QColor(200, 30, 30));
    QFont font = p.font();
    font.setPixelSize(150);
    p.setFont(font);
    p.setPen(Qt::white);
    for (int sector = 0; sector < 20; ++sector) {
        const double angle = 2 * sector * kPi / 20;
        const QPointF at(kCentreX + 1280 * std::cos(angle), kCentreY + 1280 * std::sin(angle));
        p.drawText(QRectF(at.x() - 150, at.y() - 100, 300, 200), Qt::AlignCenter,
                   QString::number(SectorNumber(angle)));
    }
    return picture;
}

void DartsBoardWidget::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.setClipRect(rect());
    p.scale(1 / kTwipsPerPixel, 1 / kTwipsPerPixel);
    p.drawPixmap(QRectF(0, 0, kWidth, kHeight), m_board, QRectF(m_board.rect()));
    drawMarker(p, m_view.localFirst, kLocalColour);
    drawMarker(p, m_view.remoteFirst, kRemoteColour);
    for (const DartsMarker& marker : m_view.localDarts)
        drawMarker(p, marker, kLocalColour);
    for (const DartsMarker& marker : m_view.remoteDarts)
        drawMarker(p, marker, kRemoteColour);
    p.setPen(QPen(Qt::yellow, 0));
    if (m_view.vLineShown) {
        const double x = m_view.vLine.value - kLeft;
        p.drawLine(QPointF(x, 0), QPointF(x, kHeight));
    }
    if (m_view.hLineShown) {
        const double y = m_view.hLine.value - kTop;
        p.drawLine(QPointF(0, y), QPointF(kWidth, y));
    }
    if (m_view.metersShown) {
        drawMeter(p, kControlTop, m_view.control.value);
        drawMeter(p, kPowerTop, m_view.power.value);
    }
}
