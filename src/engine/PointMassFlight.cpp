#include "PointMassFlight.h"

#include <algorithm>

namespace tarnwick {

namespace {

// Cubic Hermite basis at tau in [0, 1] and its derivative.
struct Hermite {
    double h00, h10, h01, h11;
};
Hermite basis(double tau) {
    const double t2 = tau * tau, t3 = t2 * tau;
    return {2 * t3 - 3 * t2 + 1, t3 - 2 * t2 + tau, 3 * t2 - 2 * t3, t3 - t2};
}
Hermite slopeBasis(double tau) {
    const double t2 = tau * tau;
    return {6 * t2 - 6 * tau, 3 * t2 - 4 * tau + 1, 6 * tau - 6 * t2, 3 * t2 - 2 * tau};
}
Vec3 blend(const Hermite& b, Vec3 p0, Vec3 m0, Vec3 p1, Vec3 m1, double h) {
    return b.h00 * p0 + (b.h10 * h) * m0 + b.h01 * p1 + (b.h11 * h) * m1;
}

FlightState stateAt(const FlightState& from, const FlightState& to, double tau) {
    const double h = to.t - from.t;
    const Hermite b = basis(tau);
    const Hermite d = slopeBasis(tau);
    FlightState s;
    s.t = from.t + tau * h;
    s.r = blend(b, from.r, from.v, to.r, to.v, h);
    s.v = blend(b, from.v, from.a, to.v, to.a, h);
    s.a = (1 / h) * blend(d, from.v, from.a, to.v, to.a, h);
    return s;
}

}  // namespace

PointMassFlight::PointMassFlight(const PointMassShot& shot, double launchAngle) : shot_(shot), wind_(shot.wind) {
    state_.r = {0, -shot.scopeHeight / 12, 0};
    state_.v = {shot.muzzleVelocity * std::cos(launchAngle), shot.muzzleVelocity * std::sin(launchAngle), 0};
    accelerate(state_);
}

void PointMassFlight::accelerate(FlightState& state) {
    const Vec3 air = state.v - wind_;
    state.airSpeed = length(air);
    state.a = shot_.acceleration(air, state.airSpeed, wind_, shot_.dragFor(state.airSpeed), piece_);
}

FlightState PointMassFlight::advance(const FlightState& from, double h, double drag, Vec3 k1) {
    // Drag depends on the velocity only (the air is the same all along the step), so each
    // stage needs only its velocity through the air; the position follows from the stages'
    // velocities.
    const Vec3 v0 = from.v, air0 = from.v - wind_;
    const auto stage = [&](Vec3 air) { return shot_.acceleration(air, length(air), wind_, drag, piece_); };
    const Vec3 k2 = stage(air0 + (h / 2) * k1);
    const Vec3 k3 = stage(air0 + (h / 2) * k2);
    const Vec3 k4 = stage(air0 + h * k3);
    FlightState next;
    next.t = from.t + h;
    next.r = from.r + h * v0 + (h * h / 6) * (k1 + k2 + k3);
    next.v = v0 + (h / 6) * (k1 + 2 * k2 + 2 * k3 + k4);
    return next;
}

FlightState PointMassFlight::advanceAcrossBands(const FlightState& from, double h) {
    const double s0 = from.airSpeed, d0 = shot_.dragFor(s0);
    FlightState next = advance(from, h, d0, from.a);
    accelerate(next);
    const double s1 = next.airSpeed;
    if (shot_.dragFor(s1) == d0) return next;
    // A band limit was crossed: find where the air speed meets it on the cubic through the
    // velocities and accelerations of this step as if the band had held, fly there, then on
    // with the new band.
    const double limit = (s0 < shot_.breakLow) != (s1 < shot_.breakLow) ? shot_.breakLow : shot_.breakHigh;
    const Vec3 a1 = shot_.acceleration(next.v, wind_, d0, piece_);
    double lo = 0, hi = 1;
    for (int i = 0; i < 50; ++i) {
        const double mid = (lo + hi) / 2;
        const double speed = length(blend(basis(mid), from.v, from.a, next.v, a1, h) - wind_);
        ((speed < limit) == (s0 < limit) ? lo : hi) = mid;
    }
    const double split = h * (lo + hi) / 2;
    const double d1 = shot_.dragFor(s1);
    const FlightState middle = advance(from, split, d0, from.a);
    next = advance(middle, h - split, d1, shot_.acceleration(middle.v, wind_, d1, piece_));
    next.t = from.t + h;
    accelerate(next);
    return next;
}

PointMassFlight::End PointMassFlight::step() {
    if (!(state_.v.x > 0)) return End::NoForwardSpeed;
    if (state_.t >= kMaxFlightSeconds) return End::TimeLimit;
    const double h = shot_.step;
    FlightState from = state_, next = advanceAcrossBands(from, h);
    // A step that passes a change of wind is flown in the old wind up to the change (where
    // the cubic of the whole step reaches it) and in the new one from there.
    const auto& changes = shot_.windChanges;
    std::size_t zone = zone_;
    Vec3 wind = wind_;
    while (zone < changes.size() && next.r.x >= changes[zone].at) {
        const double split = stateAtRange(from, next, changes[zone].at).t - from.t;
        from = advanceAcrossBands(from, split);
        wind_ = changes[zone++].wind;
        accelerate(from);
        next = advanceAcrossBands(from, state_.t + h - from.t);
    }
    next.t = state_.t + h;
    if (!std::isfinite(next.r.x + next.r.y + next.r.z + next.a.x + next.a.y + next.a.z)) {
        wind_ = wind;
        return End::NotFinite;
    }
    zone_ = zone;
    state_ = next;
    return End::None;
}

FlightState stateAtRange(const FlightState& from, const FlightState& to, double x) {
    const double span = to.r.x - from.r.x;
    if (!(span > 0)) return to;
    // x(tau) rises through the step (the bullet moves down range all along it); Newton from
    // the straight-line guess converges to rounding in two or three rounds.
    const double h = to.t - from.t;
    double tau = std::clamp((x - from.r.x) / span, 0.0, 1.0);
    for (int i = 0; i < 4; ++i) {
        const Hermite b = basis(tau), d = slopeBasis(tau);
        const double value = b.h00 * from.r.x + b.h10 * h * from.v.x + b.h01 * to.r.x + b.h11 * h * to.v.x;
        const double slope = d.h00 * from.r.x + d.h10 * h * from.v.x + d.h01 * to.r.x + d.h11 * h * to.v.x;
        if (!(slope > 0)) break;
        tau = std::clamp(tau - (value - x) / slope, 0.0, 1.0);
    }
    FlightState s = stateAt(from, to, tau);
    s.r.x = x;
    return s;
}

std::optional<FlightState> flyToRange(const PointMassShot& shot, double launchAngle, double range) {
    PointMassFlight flight(shot, launchAngle);
    FlightState previous = flight.state();
    while (flight.state().r.x < range) {
        previous = flight.state();
        if (flight.step() != PointMassFlight::End::None) return std::nullopt;
    }
    if (flight.state().t == 0) return flight.state();
    return stateAtRange(previous, flight.state(), range);
}

FlightState peakInside(const FlightState& from, const FlightState& to) {
    // The upward speed of the position curve falls from above zero to zero or below in
    // the step; halve the bracket down to rounding.
    const double h = to.t - from.t;
    const auto rising = [&](double tau) {
        const Hermite d = slopeBasis(tau);
        return d.h00 * from.r.y + d.h10 * h * from.v.y + d.h01 * to.r.y + d.h11 * h * to.v.y > 0;
    };
    double lo = 0, hi = 1;
    for (int i = 0; i < 50; ++i) {
        const double mid = (lo + hi) / 2;
        (rising(mid) ? lo : hi) = mid;
    }
    return stateAt(from, to, (lo + hi) / 2);
}

}  // namespace tarnwick
