#pragma once
// The standard drag functions G1 and G7: the drag coefficient of the standard projectile
// against Mach number, and the smooth curve through the table that the point-mass model
// flies.
//
// The tables are compiled in from data/drag-g1.csv and data/drag-g7.csv; the build turns
// each "Mach,Cd" row into one entry and stops on a row it cannot read.
//
// Between table points the curve is a monotone cubic (Fritsch-Carlson). It passes through
// every point, its slope is continuous, and it never overshoots between two points, so the
// steep rise of drag towards Mach 1 is followed without bumps the table does not have. The
// continuous slope keeps the integrator's fourth-order error behaviour, which a kinked
// (linearly interpolated) curve spoils at every table point. Below the first point and
// beyond the last (Mach 5) the end values hold.
#include <cstddef>
#include <span>
#include <vector>

namespace tarnwick {

enum class StandardDragLaw { G1, G7 };

struct MachCd {
    double mach;
    double cd;
};

// The table as read from data/drag-<law>.csv, in file order (Mach increasing).
std::span<const MachCd> standardDragTable(StandardDragLaw law);

class DragCurve {
public:
    // points: at least two, Mach strictly increasing.
    explicit DragCurve(std::span<const MachCd> points);

    // Drag coefficient at `mach`. `piece` carries the table interval from one call to the
    // next (start it at 0): a bullet slows gradually, so the search mostly stays put. The
    // interval's bounds do not depend on `mach`, so they are loaded ahead and the two
    // well-predicted comparisons cost less time than computing the interval afresh.
    double cd(double mach, std::size_t& piece) const {
        if (!(mach > pieces_.front().mach)) return pieces_.front().c0;
        if (mach >= pieces_[last_].mach) return pieces_[last_].c0;
        if (piece >= last_) piece = last_ - 1;
        while (mach < pieces_[piece].mach) --piece;
        while (mach >= pieces_[piece + 1].mach) ++piece;
        const Piece& p = pieces_[piece];
        const double u = mach - p.mach;
        // Pairwise rather than nested (Horner): two short chains that run side by side.
        return (p.c0 + u * p.c1) + (u * u) * (p.c2 + u * p.c3);
    }
    double cd(double mach) const {
        std::size_t piece = 0;
        return cd(mach, piece);
    }

private:
    // Cd = c0 + u (c1 + u (c2 + u c3)) with u = M - mach, from this piece's Mach to the next.
    struct Piece {
        double mach, c0, c1, c2, c3;
    };
    std::vector<Piece> pieces_;
    std::size_t last_ = 0;  // the constant piece beyond the table
};

// The curve through standardDragTable(law), built once.
const DragCurve& standardDragCurve(StandardDragLaw law);

}  // namespace tarnwick
