#include "PlotRun.h"

#include <cmath>
#include <memory>
#include <utility>

#include "Atmosphere.h"
#include "Constants.h"
#include "Flight.h"
#include "ModelPass.h"
#include "NumberText.h"
#include "PlotFrame.h"
#include "PointMassModel.h"
#include "PowderTemperature.h"
#include "TrajectoryPass.h"

namespace tarnwick {

namespace {

// Every number the run reads must be finite: the flight's inputs and the display scales;
// the point-mass model also needs a drag law it flies.
void requireFiniteInputs(const ShotParameters& p, bool huntingOption) {
    if (p.Model == BallisticModelKind::PointMass) {
        requirePointMassInputs(p, Conditions::Range);
        if (huntingOption) requirePointMassInputs(p, Conditions::Hunting);
    } else {
        requireFiniteFlightInputs(p);
    }
    requireFinite({{p.VerticalScale, "the vertical scale"}, {p.HorizontalScale, "the horizontal scale"}});
    // The classic pass steps in time and may meet the plot's edge at any scale; the
    // sampled pass steps across the plot.
    if (p.Model == BallisticModelKind::PointMass && !(p.HorizontalScale > 0))
        throw NumericFailure("The run stopped: the horizontal scale must be above zero.");
}

std::int16_t roundCanvasRow(double value) {
    const auto row = roundToInt16(value);
    if (!row) throw NumericFailure("The run stopped: the plot window is too large to draw on.");
    return *row;
}

double divideOrStop(double numerator, double denominator, const char* what) {
    if (denominator == 0) throw NumericFailure(std::string("The run stopped: ") + what);
    return numerator / denominator;
}

class Run {
public:
    Run(ProgramState& state, const RunInputs& inputs, DrawingSurface& surface, ResultsWindow& results)
        : state_(state), p_(state.params), inputs_(inputs), surface_(surface), results_(results),
          pointMass_(p_.Model == BallisticModelKind::PointMass) {}

    void execute() {
        results_.hideWindow();
        requireFiniteInputs(p_, inputs_.huntingOption);
        p_.YAxis = kPlotMargin;
        p_.XAxis = roundCanvasRow(surface_.height() - kPlotMargin);
        const bool dropChart = p_.ScopeHeight == 0 && p_.MaxDeviation == 0;
        L_ = dropChart ? std::int16_t{kPlotMargin} : roundCanvasRow((surface_.height() - kPlotMargin) / 2);
        PlotAxis(surface_, p_, L_, inputs_.gridLinesOn, inputs_.units);

        k_ = p_.BulletMass / kGrainsPerSlug;
        curve_ = drawCurveScale(surface_, p_, k_, inputs_.energyCurveOn, inputs_.velocityCurveOn);
        const double a = p_.LOSAngle * p_.Pi / 180;
        sinA_ = std::sin(a);
        cosA_ = std::cos(a);

        if (p_.DropTable == 1) results_.showWindow();
        text_ = modelLine(p_, inputs_.units) + rangeHeader(p_, inputs_.texts, inputs_.units);
        results_.setText(text_);
        // The page texts follow the results text from here on, so that a print never
        // shows an earlier report or the user guide beside this one, even when the run
        // stops part way.
        state_.FirstPageText = text_;
        state_.SecondPageText.clear();

        flyRangePass();
        results_.showWindow();
        append(rangeSummary(p_, events_, state_.strike, inputs_.units), false);

        if (inputs_.huntingOption) flyHuntingPass();
    }

    const EventResults& events() const { return events_; }

private:
    void append(const std::string& more, bool toSecondPage) {
        text_ += more;
        results_.appendText(more);
        (toSecondPage ? state_.SecondPageText : state_.FirstPageText) += more;
    }

    EffectiveCoefficients coefficientsFor(double altitude, double pressure, double temperature, const char* which) {
        const double factor = densityFactor(altitude, pressure, temperature);
        requireUsableDensity(factor, which);
        return effectiveCoefficients(p_, factor);
    }

    PathStyle pathStyle(bool hunting) const {
        PathStyle style;
        style.energyFactor = k_;
        style.L = L_;
        style.curve = curve_;
        if (hunting) {
            style.trajectoryColour = colours::HuntingTrajectory;
            style.energyColour = colours::HuntingEnergy;
            style.velocityColour = colours::HuntingVelocity;
        }
        if (inputs_.pathColour) style.trajectoryColour = *inputs_.pathColour;
        return style;
    }

    PassSetup passSetup(double muzzleVelocity, double launchSpeed, double tailWind, double crossWind,
                        const EffectiveCoefficients& coefficients, bool hunting) const {
        PassSetup setup;
        static_cast<PathStyle&>(setup) = pathStyle(hunting);
        setup.muzzleVelocity = muzzleVelocity;
        setup.launchSpeed = launchSpeed;
        setup.model = FlightModel::make(p_, sinA_, tailWind, coefficients);
        setup.crossWind = crossWind;
        setup.cosA = cosA_;
        setup.units = inputs_.units;
        return setup;
    }

    // The drop-table rows of a pass go to the results text and the page of its block.
    DropRowSink dropRows(bool hunting) {
        return [this, hunting](long long range, double rangeFeet, double height, double deflection) {
            append(dropTableRow(range, height, deflection, hunting, inputs_.units) +
                       dropRowCorrections(rangeFeet, height, deflection, inputs_.corrections),
                   hunting);
        };
    }

    // A pass of the point-mass model, which the range pass has sighted in.
    void flyPointMassPass(Conditions conditions, double& strikeDrop, double& strikeDeflection) {
        const bool hunting = conditions == Conditions::Hunting;
        flyModelPass(p_, pathStyle(hunting), *model_, conditions, events_, strikeDrop, strikeDeflection, surface_,
                     dropRows(hunting), inputs_.units);
    }

    void flyRangePass() {
        if (pointMass_) {
            model_ = makeBallisticModel(p_, sightingOf(state_.remembered, inputs_.huntingOption));
            flyPointMassPass(Conditions::Range, state_.strike.RStrikeDrop, state_.strike.RStrikeDeflection);
            return;
        }
        const auto coefficients =
            coefficientsFor(p_.Altitude, p_.BarometricPressure, p_.Temperature, "range");
        if (isVarmint(p_)) {
            const double tz = FindTime(p_, state_.remembered.LastZeroCrossing, coefficients);
            w_ = divideOrStop(kHalfGravity * tz * tz + p_.ScopeHeight, tz,
                              "the Varmint zero distance must be more than 0 yards.");
        } else {
            w_ = kLaunchFactor * std::sqrt(p_.MaxDeviation + p_.ScopeHeight);
            if (std::isnan(w_))
                throw NumericFailure("The run stopped: the maximum deviation plus the scope height is below zero.");
            if (inputs_.huntingOption)
                w_ = divideOrStop(w_ * p_.InitialVelocity, huntingVelocity(), "the hunting muzzle velocity is zero.");
        }
        PassSetup setup = passSetup(p_.InitialVelocity, w_, p_.RTailWind, p_.RCrossWind, coefficients, false);
        flyPass(p_, setup, events_, state_.strike.RStrikeDrop, state_.strike.RStrikeDeflection, surface_,
                dropRows(false));
    }

    // The hunting muzzle velocity flown, which the report prints: finite inputs can still
    // overflow here.
    double huntingVelocity() const {
        const double vh = pointMass_ ? fieldMuzzleVelocity(p_) : huntingMuzzleVelocity(p_);
        if (!std::isfinite(vh))
            throw NumericFailure("The run stopped: the hunting muzzle velocity is too large to work out; "
                                 "check the temperatures and the muzzle velocity.");
        return vh;
    }

    void flyHuntingPass() {
        const double vh = huntingVelocity();
        std::string header = huntingHeader(p_, vh, inputs_.texts, inputs_.units);
        if (pointMass_) header += kCrLf + densityAltitudeLine(p_, true, inputs_.units);
        text_ += std::string(kCrLf) + kCrLf + header;
        results_.appendText(std::string(kCrLf) + kCrLf + header);
        state_.SecondPageText = header;

        if (pointMass_) {
            flyPointMassPass(Conditions::Hunting, state_.strike.HStrikeDrop, state_.strike.HStrikeDeflection);
        } else {
            flyClassicHuntingPass(vh);
        }
        append(huntingSummary(p_, events_, state_.strike, inputs_.units), true);
    }

    void flyClassicHuntingPass(double vh) {
        const double wh = divideOrStop(w_ * vh, p_.InitialVelocity, "the muzzle velocity is zero.");
        const auto coefficients =
            coefficientsFor(p_.HAltitude, p_.HBarometricPressure, p_.HTemperature, "hunting");
        PassSetup setup = passSetup(vh, wh, p_.HTailWind, p_.HCrossWind, coefficients, true);
        flyPass(p_, setup, events_, state_.strike.HStrikeDrop, state_.strike.HStrikeDeflection, surface_,
                dropRows(true));
    }

    ProgramState& state_;
    ShotParameters& p_;
    const RunInputs& inputs_;
    DrawingSurface& surface_;
    ResultsWindow& results_;
    const bool pointMass_;
    std::unique_ptr<BallisticModel> model_;  // the point-mass model, once sighted in
    std::string text_;
    std::int16_t L_ = 0;
    double k_ = 0, sinA_ = 0, cosA_ = 1, w_ = 0;
    CurveScale curve_;
    EventResults events_;
};

}  // namespace

RunOutcome plotRun(ProgramState& state, const RunInputs& inputs, DrawingSurface& surface, ResultsWindow& results) {
    Run run(state, inputs, surface, results);
    RunOutcome outcome;
    try {
        run.execute();
    } catch (const NumericFailure& failure) {
        outcome.completed = false;
        outcome.message = failure.what();
    }
    outcome.events = run.events();
    return outcome;
}

}  // namespace tarnwick
