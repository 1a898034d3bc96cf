#include "DragFunctions.h"

#include <array>
#include <cmath>

namespace tarnwick {

namespace {

struct Segment {
    double upper;  // the segment covers (previous upper, upper]
    double base;   // value at the lower breakpoint
    double slope;
};

// The 24 inner segments from 800 to 3800 ft/s; below 800 the first line is extended
// downward and above 3800 the last slope upward.
struct Table {
    double belowSlope;  // slope of the line through (800, base of the first segment)
    std::array<Segment, 24> segments;
    double aboveBase, aboveSlope;
};

constexpr Table kG1{0.036,
                    {{{850, 28.8, 0.118},    {900, 34.7, 0.158},    {950, 42.6, 0.214},
                      {1000, 53.3, 0.294},   {1050, 68.0, 0.404},   {1100, 88.2, 0.49},
                      {1120, 112.7, 0.535},  {1150, 123.4, 0.54},   {1200, 139.6, 0.536},
                      {1250, 166.4, 0.508},  {1300, 191.8, 0.488},  {1400, 216.2, 0.454},
                      {1600, 261.6, 0.4275}, {1800, 347.1, 0.4105}, {2000, 429.2, 0.4065},
                      {2200, 510.5, 0.4125}, {2400, 593.0, 0.4275}, {2600, 678.5, 0.454},
                      {2800, 769.3, 0.489},  {3000, 867.1, 0.5295}, {3200, 973.0, 0.5725},
                      {3400, 1087.5, 0.6285}, {3600, 1213.2, 0.6805}, {3800, 1349.3, 0.731}}},
                    1495.5, 0.7705};

constexpr Table kKrupp{0.03275,
                       {{{850, 26.2, 0.088},    {900, 30.6, 0.112},   {950, 36.2, 0.142},
                         {1000, 43.3, 0.218},   {1050, 54.2, 0.382},  {1100, 73.3, 0.674},
                         {1120, 107.0, 0.65},   {1150, 120.0, 0.7},   {1200, 141.0, 0.68},
                         {1250, 175.0, 0.4},    {1300, 195.0, 0.36},  {1400, 213.0, 0.45},
                         {1600, 258.0, 0.425},  {1800, 343.0, 0.415}, {2000, 426.0, 0.415},
                         {2200, 509.0, 0.445},  {2400, 598.0, 0.47},  {2600, 692.0, 0.515},
                         {2800, 795.0, 0.545},  {3000, 904.0, 0.555}, {3200, 1015.0, 0.6},
                         {3400, 1135.0, 0.65},  {3600, 1265.0, 0.725}, {3800, 1410.0, 0.775}}},
                       1565.0, 0.825};

double evaluate(const Table& table, double v) {
    if (v <= 800) return table.segments[0].base - table.belowSlope * (800 - v);
    double lower = 800;
    for (const Segment& segment : table.segments) {
        if (v <= segment.upper) return segment.base + segment.slope * (v - lower);
        lower = segment.upper;
    }
    return table.aboveBase + table.aboveSlope * (v - 3800);
}

}  // namespace

double Gavre(double speed) { return evaluate(kG1, speed); }

double krupp(double speed) { return evaluate(kKrupp, speed); }

double Ingalls(double speed) {
    double n, a;
    if (speed < 840) { n = 1.6; a = 0.00074422; }
    else if (speed < 1040) { n = 3.0; a = 5.9939e-08; }
    else if (speed < 1190) { n = 6.45; a = 2.3385e-18; }
    else if (speed < 1460) { n = 3.0; a = 9.5408e-08; }
    else if (speed < 2000) { n = 1.8; a = 0.00059814; }
    else if (speed < 2600) { n = 1.5; a = 0.0058495; }
    else { n = 1.67; a = 0.0015366; }
    return std::exp(n * std::log(speed)) * a;
}

DragLaw dragLawNamed(std::string_view dragFunction) {
    if (dragFunction == "G1") return DragLaw::G1;
    if (dragFunction == "Ingalls") return DragLaw::Ingalls;
    return DragLaw::Krupp;
}

double Deceleration(DragLaw law, double speed) {
    switch (law) {
    case DragLaw::G1: return Gavre(speed);
    case DragLaw::Ingalls: return Ingalls(speed);
    case DragLaw::Krupp: break;
    }
    return krupp(speed);
}

double Deceleration(std::string_view dragFunction, double speed) {
    return Deceleration(dragLawNamed(dragFunction), speed);
}

}  // namespace tarnwick
