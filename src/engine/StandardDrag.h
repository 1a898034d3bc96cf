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

    // Drag coefficient at `mach`.
    double cd(double mach) const {
        if (!(mach > pieces_.front().mach)) return pieces_.front().c0;
        if (mach >= pieces_[last_].mach) return pieces_[last_].c0;
        // The cell gives the piece its lower end lies in; a table point inside the cell
        // moves on to the next piece.
        std::size_t i = cellPiece_[static_cast<std::size_t>((mach - pieces_.front().mach) * cellsPerMach_)];
        while (mach >= pieces_[i + 1].mach) ++i;
        const Piece& p = pieces_[i];
        const double u = mach - p.mach;
        return p.c0 + u * (p.c1 + u * (p.c2 + u * p.c3));
    }

private:
    // Cd = c0 + u (c1 + u (c2 + u c3)) with u = M - mach, from this piece's Mach to the next.
    struct Piece {
        double mach, c0, c1, c2, c3;
    };
    std::vector<Piece> pieces_;
    std::size_t last_ = 0;  // the constant piece beyond the table
    // Equal Mach cells over the table, each with the piece its lower end lies in, so that a
    // look-up needs no search.
    static constexpr double cellsPerMach_ = 40;
    std::vector<unsigned short> cellPiece_;
};

// The curve through standardDragTable(law), built once.
const DragCurve& standardDragCurve(StandardDragLaw law);

}  // namespace tarnwick
