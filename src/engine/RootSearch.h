#pragma once
// Brent's root search: bisection that takes a secant or inverse quadratic step whenever
// that step stays safely inside the bracket, so it never does worse than bisection and
// on smooth functions converges in a handful of evaluations.
#include <cmath>
#include <limits>
#include <optional>

namespace tarnwick {

// A root of f between a and b, whose values there are fa and fb: an x within `tolerance`
// of a sign change of f, or one where |f(x)| <= `enough`. std::nullopt when fa and fb do
// not differ in sign (neither being zero), or when f gives a non-number.
template <class F>
std::optional<double> brentRoot(F&& f, double a, double fa, double b, double fb, double tolerance, double enough) {
    if (std::isnan(fa) || std::isnan(fb)) return std::nullopt;
    if (std::fabs(fa) <= enough) return a;
    if (std::fabs(fb) <= enough) return b;
    if ((fa > 0) == (fb > 0)) return std::nullopt;
    double c = b, fc = fb, d = b - a, e = d;
    for (int iteration = 0; iteration < 200; ++iteration) {
        if ((fb > 0) == (fc > 0)) {  // keep the root between b and c
            c = a;
            fc = fa;
            d = e = b - a;
        }
        if (std::fabs(fc) < std::fabs(fb)) {  // b is the best guess so far
            a = b, b = c, c = a;
            fa = fb, fb = fc, fc = fa;
        }
        const double tol = 2 * std::numeric_limits<double>::epsilon() * std::fabs(b) + tolerance / 2;
        const double half = (c - b) / 2;
        if (std::fabs(half) <= tol || std::fabs(fb) <= enough) return b;
        if (std::fabs(e) >= tol && std::fabs(fa) > std::fabs(fb)) {
            const double s = fb / fa;
            double p, q;
            if (a == c) {  // secant
                p = 2 * half * s;
                q = 1 - s;
            } else {  // inverse quadratic through a, b and c
                const double qa = fa / fc, r = fb / fc;
                p = s * (2 * half * qa * (qa - r) - (b - a) * (r - 1));
                q = (qa - 1) * (r - 1) * (s - 1);
            }
            if (p > 0) q = -q;
            p = std::fabs(p);
            if (2 * p < std::fmin(3 * half * q - std::fabs(tol * q), std::fabs(e * q))) {
                e = d;
                d = p / q;
            } else {
                d = half;
                e = d;
            }
        } else {
            d = half;
            e = d;
        }
        a = b;
        fa = fb;
        b += std::fabs(d) > tol ? d : (half > 0 ? tol : -tol);
        fb = f(b);
        if (std::isnan(fb)) return std::nullopt;
    }
    return b;
}

template <class F>
std::optional<double> brentRoot(F&& f, double a, double b, double tolerance, double enough) {
    const double fa = f(a);
    return brentRoot(f, a, fa, b, f(b), tolerance, enough);
}

}  // namespace tarnwick
