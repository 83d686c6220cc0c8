#include "editor/ui/dialogs/keyboard/rate_positions.h"

#include <algorithm>
#include <array>

namespace keyui::dialogs {

namespace {

struct RatePosition {
    int rate;
    int position;
};
constexpr std::array kRatePositions{RatePosition{2, 0}, RatePosition{10, 1}, RatePosition{30, 3}};
constexpr int kOtherRatePosition = 2;
constexpr int kRatePerPosition = 10;
constexpr int kSlowestRate = 2;  // what position 0 stands for
constexpr int kDelayPerPosition = 250;

}  // namespace

int ratePosition(int rate) {
    const auto row = std::find_if(kRatePositions.begin(), kRatePositions.end(),
                                  [rate](const RatePosition& each) { return each.rate == rate; });
    return row == kRatePositions.end() ? kOtherRatePosition : row->position;
}

int rateOfPosition(int position) {
    const int rate = position * kRatePerPosition;
    return rate == 0 ? kSlowestRate : rate;
}

int delayPosition(int delayMilliseconds) {
    return std::clamp(delayMilliseconds / kDelayPerPosition, kFirstDelayPosition, kLastDelayPosition);
}

int delayOfPosition(int position) { return position * kDelayPerPosition; }

QString slowKeyModeOf(const QString& entry) {
    const qsizetype dash = entry.indexOf(QLatin1Char('-'));
    if (dash < 0) return entry;
    return entry.left(std::max<qsizetype>(dash - 1, 0));
}

}  // namespace keyui::dialogs
