#include "dartsboard.h"

#include <array>
#include <cmath>

namespace DartsBoard {

namespace {
// Sector numbers by half-sector pair, clockwise from angle 0; k = 40 wraps to the first.
constexpr std::array<int, 20> kSectors = {6,  10, 15, 2,  17, 3,  19, 7,  16, 8,
                                          11, 14, 9,  12, 5,  20, 1,  18, 4,  13};

double angleOf(double dx, double dy) {
    if (std::abs(dx) < 1)
        return dy < 0 ? kThreePi / 2 : kPi / 2;
    const double t = std::atan(dy / dx);
    if (dx < 0)
        return t + kPi;
    return t < 0 ? t + kTwoPi : t;
}
} // namespace

int SectorNumber(double angle) {
    // Ties go to even, so an angle on a border usually takes the next sector clockwise; the
    // rounded constants put the 135 and 315 degree diagonals just short of theirs.
    const int k = static_cast<int>(std::nearbyint(angle / (kPi / 20) + 0.5));
    const int pair = k / 2;
    return kSectors[static_cast<std::size_t>(pair >= 20 || pair < 0 ? 0 : pair)];
}

PointScore ScoreOfPoint(float x, float y) {
    const double dx = double(x) - kCentreX;
    const double dy = double(y) - kCentreY;
    const double r = std::sqrt(dx * dx + dy * dy);
    PointScore result;
    result.angle = angleOf(dx, dy);
    if (r < kDoubleBull)
        return {QStringLiteral("Double Bull"), result.angle, 50};
    if (r < kSingleBull)
        return {QStringLiteral("Single Bull"), result.angle, 25};
    if (r >= kDouble)
        return result;
    const int n = SectorNumber(result.angle);
    if (r < kInnerSingle || (r >= kTriple && r < kOuterSingle))
        return {QStringLiteral("Single"), result.angle, n};
    if (r < kTriple)
        return {QStringLiteral("Triple"), result.angle, 3 * n};
    return {QStringLiteral("Double"), result.angle, 2 * n};
}

double DartDistance(QPointF point) {
    const double dx = point.x() - kReferenceX;
    const double dy = point.y() - kReferenceY;
    return std::sqrt(dx * dx + dy * dy);
}

bool touches(QPointF a, QPointF b) {
    const double dx = a.x() - b.x();
    const double dy = a.y() - b.y();
    return std::sqrt(dx * dx + dy * dy) < kTouchDistance;
}

QPointF landingPoint(int vLineX, int hLineY, int powerWidth, int controlWidth) {
    const double aimX = vLineX - kLeft;
    const double aimY = hLineY - kTop;
    const double p = double(powerWidth) / kMeterMax;
    const double c = double(controlWidth) / kMeterMax;
    // Single precision as both copies of a game have always had it. Volatile because GCC 12's
    // vectoriser drops the narrowing when x and y are computed side by side.
    const volatile float x = float(aimX + (1 - c) * 150);
    const volatile float y = float(aimY - (p * 200 - 180));
    return {double(x), double(y)};
}

int controlStart(double random) {
    return static_cast<int>(std::nearbyint(kMeterMax * random + 0.5));
}

void Sweep::tick() {
    const int next = forward ? value + step : value - step;
    if (next > high)
        forward = false;
    else if (next < low)
        forward = true;
    else
        value = next;
}

} // namespace DartsBoard
