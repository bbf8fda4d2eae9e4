#pragma once

#include <QPointF>
#include <QString>

// The geometry of the darts board, shared by both copies of a game: every constant here is
// part of the contract between them. Lengths are twips (15 to a pixel); board coordinates
// have their origin at the board picture's top-left corner, y growing downwards. Angles are
// radians from +x towards +y (clockwise on the screen).
namespace DartsBoard {

inline constexpr double kPi = 3.14159265358979;
inline constexpr double kTwoPi = 6.28318530717958;
inline constexpr double kThreePi = 9.42477796076937;

// DartsBoardImage: 200 x 200 pixels, placed at (840, 2040) in the window.
inline constexpr int kLeft = 840;
inline constexpr int kTop = 2040;
inline constexpr int kWidth = 3000;
inline constexpr int kHeight = 3000;
inline constexpr double kCentreX = kWidth / 2 - 15;
inline constexpr double kCentreY = kHeight / 2 - 15;

// Ring bounds (r must be strictly below) and their areas.
inline constexpr double kDoubleBull = 30;
inline constexpr double kSingleBull = 70;
inline constexpr double kInnerSingle = 645;
inline constexpr double kTriple = 706;
inline constexpr double kOuterSingle = 1050;
inline constexpr double kDouble = 1111;

// Dart markers are 135 twips wide; two darts of a turn touch below 35 twips.
inline constexpr double kMarkerSize = 135;
inline constexpr double kTouchDistance = 35;

// The point first darts are measured from. It is the board-centre formula applied to window
// coordinates, so it lies far off the board; both copies use it, so it stays.
inline constexpr double kReferenceX = 645;
inline constexpr double kReferenceY = -555;

// Meters: both are 3015 twips at full scale.
inline constexpr int kMeterMax = 3015;
inline constexpr int kSweepStep = 50;
inline constexpr int kControlStep = 110;

struct PointScore {
    QString area; // empty outside the double ring
    double angle = 0;
    int score = 0;
};

// The score of a landing point (single-precision board coordinates).
PointScore ScoreOfPoint(float x, float y);
// 1..20 for an angle in [0, 2pi).
int SectorNumber(double angle);
// Distance of a first dart from the reference point; the lower one begins.
double DartDistance(QPointF point);
// Two darts of one turn touch when they lie strictly closer than kTouchDistance.
bool touches(QPointF a, QPointF b);
// The landing point from the aiming line positions (window coordinates) and meter widths.
QPointF landingPoint(int vLineX, int hLineY, int powerWidth, int controlWidth);
// The control meter's start width for a random number in [0, 1).
int controlStart(double random);

// One aiming element: moves by a fixed step per tick between low and high, keeping its place
// and turning round on the tick that would take it past an end.
struct Sweep {
    int value = 0;
    int low = 0;
    int high = 0;
    int step = 0;
    bool forward = true;

    void start(int from) {
        value = from;
        forward = true;
    }
    void tick();
};

} // namespace DartsBoard
