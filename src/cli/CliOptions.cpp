#include "CliOptions.h"

#include <algorithm>
#include <charconv>
#include <functional>
#include <map>

#include "CliEffects.h"
#include "CliModel.h"
#include "DragFunctions.h"
#include "LongRangeEffects.h"
#include "NumberText.h"
#include "Wind.h"

using namespace tarnwick;

namespace {

// Twists, lengths and diameters beyond this many inches belong to no bullet.

double strictNumber(const std::string& text, const std::string& argument) {
    const auto value = readStrict(text);
    if (!value) throw CliError("not a number in '" + argument + "'");
    return *value;
}

bool strictBoolean(const std::string& text, const std::string& argument) {
    if (text == "true" || text == "-1") return true;
    if (text == "false" || text == "0") return false;
    throw CliError("expected true, false, -1 or 0 in '" + argument + "'");
}

int strictCanvasSide(const std::string& text, const std::string& argument) {
    int value = 0;
    const auto result = std::from_chars(text.data(), text.data() + text.size(), value);
    if (result.ec != std::errc() || result.ptr != text.data() + text.size() || value < 1 || value > 20000)
        throw CliError("canvas sides must be whole numbers from 1 to 20000 in '" + argument + "'");
    return value;
}

void setMember(CliOptions& options, const std::string& name, const std::string& value, const std::string& argument) {
    ShotParameters& p = options.state.params;
    const std::map<std::string, double*> numbers = {
        {"BallisticCoefLow", &p.BallisticCoefLow}, {"BallisticCoefMid", &p.BallisticCoefMid},
        {"BallisticCoefHigh", &p.BallisticCoefHigh}, {"Altitude", &p.Altitude}, {"HAltitude", &p.HAltitude},
        {"ScopeHeight", &p.ScopeHeight}, {"SaveScopeHeight", &p.SaveScopeHeight}, {"Temperature", &p.Temperature},
        {"HTemperature", &p.HTemperature}, {"BarometricPressure", &p.BarometricPressure},
        {"HBarometricPressure", &p.HBarometricPressure}, {"BCBreakLow", &p.BCBreakLow},
        {"BCBreakHigh", &p.BCBreakHigh}, {"MaxDeviation", &p.MaxDeviation}, {"BulletMass", &p.BulletMass},
        {"InitialVelocity", &p.InitialVelocity}, {"RelHumidity", &p.RelHumidity},
        {"HRelHumidity", &p.HRelHumidity}, {"DeltaT", &p.DeltaT}, {"DropTable", &p.DropTable},
        {"LOSAngle", &p.LOSAngle}, {"VerticalScale", &p.VerticalScale}, {"HorizontalScale", &p.HorizontalScale},
        {"RCrossWind", &p.RCrossWind}, {"RTailWind", &p.RTailWind}, {"HCrossWind", &p.HCrossWind},
        {"HTailWind", &p.HTailWind}, {"Pi", &p.Pi}, {"LastZeroCrossing", &options.state.remembered.LastZeroCrossing},
        {"BallisticCoefG7", &p.BallisticCoefG7},
    };
    if (const auto it = numbers.find(name); it != numbers.end()) {
        *it->second = strictNumber(value, argument);
        return;
    }
    // Long-range effects: a value no shot can have is refused here, naming the field.
    struct Ranged {
        double low, high;
        const char* rule;
        double* target;  // nullptr: the latitude, which switches the earth's rotation on
    };
    const std::map<std::string, Ranged> effects = {
        {"TwistRate", {0, kLargestEffectSize, "0 (unknown) or more inches per turn", &p.TwistRate}},
        {"BulletLength", {0, kLargestEffectSize, "0 (unknown) or more inches", &p.BulletLength}},
        {"BulletDiameter", {kSmallestDiameter, kLargestEffectSize, "above 0 inches", &p.BulletDiameter}},
        {"Latitude", {-kLargestLatitude, kLargestLatitude, "between -90 and 90 degrees", nullptr}},
        {"Azimuth", {-kLargestAzimuth, kLargestAzimuth, "between -360 and 360 degrees", &p.Azimuth}},
    };
    if (const auto it = effects.find(name); it != effects.end()) {
        const double number = strictNumber(value, argument);
        if (!(number >= it->second.low && number <= it->second.high))
            throw CliError(name + " must be " + it->second.rule + " in '" + argument + "'");
        if (it->second.target) *it->second.target = number;
        else p.Latitude = number;
        return;
    }
    if (name == "PowderSensitivity") { p.PowderSensitivity = strictNumber(value, argument); return; }
    if (name == "PowderTemperatures") { p.PowderTemperatures = parsePowderTemperatures(value, argument); return; }
    if (name == "WindZones") { p.WindZones = parseWindZones(value, argument); return; }
    if (name == "TwistLeft") { p.TwistLeft = strictBoolean(value, argument); return; }
    if (name == "PressureIsSeaLevel") { p.PressureIsSeaLevel = strictBoolean(value, argument); return; }
    if (name == "InitAll") { p.InitAll = strictBoolean(value, argument); return; }
    if (name == "HuntingMode") {
        p.HuntingMode = strictBoolean(value, argument);
        options.inputs.huntingOption = p.HuntingMode;
        return;
    }
    if (name == "PBRMode") { p.PBRMode = strictBoolean(value, argument); return; }
    if (name == "DragFunction") {
        // Only the laws the program offers; the classic engine would fly any other text as
        // Krupp. G7 goes with the point-mass model, checked once every argument is read.
        if (value != "G7" && std::find(kDragFunctionNames.begin(), kDragFunctionNames.end(), value) == kDragFunctionNames.end())
            throw CliError("unknown drag law in '" + argument + "' (use G1, Ingalls or Krupp; G7 with Model=PointMass)");
        p.DragFunction = value;
        return;
    }
    if (name == "Model") { p.Model = parseModelName(value, argument); return; }
    if (name == "YAxis" || name == "XAxis") {
        const double number = strictNumber(value, argument);
        const auto rounded = roundToInt16(number);
        if (!rounded) throw CliError("out of the 16-bit range in '" + argument + "'");
        (name == "YAxis" ? p.YAxis : p.XAxis) = *rounded;
        return;
    }
    // Friendly extras: winds in miles per hour, converted as the environment dialog does,
    // with the report's wind text set to what was typed.
    const std::map<std::string, std::pair<double*, std::string*>> mph = {
        {"RCrossWindMph", {&p.RCrossWind, &options.inputs.texts.txtRCrossWind}},
        {"RTailWindMph", {&p.RTailWind, &options.inputs.texts.txtRTailWind}},
        {"HCrossWindMph", {&p.HCrossWind, &options.inputs.texts.txtHCrossWind}},
        {"HTailWindMph", {&p.HTailWind, &options.inputs.texts.txtHTailWind}},
    };
    if (const auto it = mph.find(name); it != mph.end()) {
        const double speed = strictNumber(value, argument);
        const bool cross = name.find("Cross") != std::string::npos;
        *it->second.first = cross ? crossWindFromMph(speed) : tailWindFromMph(speed);
        *it->second.second = value;
        return;
    }
    throw CliError("unknown parameter '" + name + "' in '" + argument + "'");
}

void setText(CliOptions& options, const std::string& name, const std::string& value, const std::string& argument) {
    ReportTexts& t = options.inputs.texts;
    const std::map<std::string, std::string*> texts = {
        {"txtRTailWind", &t.txtRTailWind},       {"txtRCrossWind", &t.txtRCrossWind},
        {"txtHTailWind", &t.txtHTailWind},       {"txtHCrossWind", &t.txtHCrossWind},
        {"txtManufacturer", &t.txtManufacturer}, {"txtBulletMass", &t.txtBulletMass},
        {"txtBulletType", &t.txtBulletType},
    };
    const auto it = texts.find(name);
    if (it == texts.end()) throw CliError("unknown text box '" + name + "' in '" + argument + "'");
    *it->second = value;
    // A bullet text given by hand names the bullet in the report, as a table row does.
    if (name == "txtManufacturer" || name == "txtBulletMass" || name == "txtBulletType") t.namesBullet = true;
}

std::pair<std::string, std::string> splitAssignment(const std::string& text, const std::string& argument) {
    const auto equals = text.find('=');
    if (equals == std::string::npos || equals == 0) throw CliError("expected NAME=VALUE in '" + argument + "'");
    return {text.substr(0, equals), text.substr(equals + 1)};
}

}  // namespace

CliOptions parseCliOptions(const std::vector<std::string>& args, const std::function<void(CliOptions&)>& applyLoad) {
    CliOptions options;
    // "bullets" as the first word: import or export the bullet table.
    const bool bulletsMode = !args.empty() && args.front() == "bullets";
    for (std::size_t i = bulletsMode ? 1 : 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        // Options take their value as the next argument or after '=' (--canvas=578x288).
        std::string option = arg, inlineValue;
        bool hasInline = false;
        if (arg.rfind("--", 0) == 0) {
            if (const auto equals = arg.find('='); equals != std::string::npos) {
                option = arg.substr(0, equals);
                inlineValue = arg.substr(equals + 1);
                hasInline = true;
            }
        }
        const auto value = [&]() -> std::string {
            if (hasInline) return inlineValue;
            if (i + 1 >= args.size()) throw CliError("missing value after '" + arg + "'");
            return args[++i];
        };
        if (option == "--help" || option == "-h") {
            options.help = true;
        } else if (option == "--db") {
            options.databasePath = value();
            if (options.databasePath.empty()) throw CliError("empty file name in '--db'");
        } else if (bulletsMode && (option == "--export" || option == "--import")) {
            if (options.bulletsCommand != CliOptions::BulletsCommand::None)
                throw CliError("'bullets' takes one of --export and --import");
            options.bulletsCommand =
                option == "--export" ? CliOptions::BulletsCommand::Export : CliOptions::BulletsCommand::Import;
            options.bulletsFile = value();
            if (options.bulletsFile.empty()) throw CliError("empty file name in '" + option + "'");
        } else if (bulletsMode) {
            throw CliError("unknown argument '" + arg + "' after 'bullets'");
        } else if (option == "--bullet") {
            options.bulletStock = value();
        } else if (option == "--maker") {
            options.bulletMaker = value();
        } else if (option == "--set" || option == "--text") {
            options.assignments.emplace_back(option, value());
        } else if (option == "--load" || option == "--save-load") {
            std::string& path = option == "--load" ? options.loadPath : options.saveLoadPath;
            path = value();
            if (path.empty()) throw CliError("empty file name in '" + option + "'");
        } else if (option == "--compare") {
            // The files follow up to the next option.
            while (i + 1 < args.size() && args[i + 1].rfind("--", 0) != 0) options.comparePaths.push_back(args[++i]);
            if (options.comparePaths.empty() || options.comparePaths.size() > kMaxComparedLoads)
                throw CliError("--compare takes one to " + std::to_string(kMaxComparedLoads) + " load files");
        } else if (option == "--canvas") {
            const std::string v = value();
            const auto x = v.find('x');
            if (x == std::string::npos) throw CliError("expected WIDTHxHEIGHT in '--canvas " + v + "'");
            options.canvasWidth = strictCanvasSide(v.substr(0, x), "--canvas " + v);
            options.canvasHeight = strictCanvasSide(v.substr(x + 1), "--canvas " + v);
        } else if (option == "--energy") {
            options.inputs.energyCurveOn = true;
        } else if (option == "--velocity") {
            options.inputs.velocityCurveOn = true;
        } else if (option == "--grid") {
            options.inputs.gridLinesOn = true;
        } else if (option == "--inspect") {
            const std::string v = value();
            options.inspectX = strictNumber(v, "--inspect " + v);
        } else if (option == "--range-table") {
            const std::string v = value();
            options.rangeTable = parseRangeList(v, "--range-table " + v);
        } else if (option == "--range-card") {
            const std::string v = value();
            options.rangeCard = parseRangeList(v, "--range-card " + v);
        } else if (option == "--corrections") {
            const std::string v = value();
            options.corrections = correctionsNamed(v);
            if (!options.corrections)
                throw CliError("expected inches, moa, mrad or clicks:SIZEmoa / clicks:SIZEmrad in '--corrections " + v + "'");
            options.inputs.corrections = *options.corrections;
        } else if (option == "--units") {
            const std::string v = value();
            const auto units = unitSystemNamed(v);
            if (!units) throw CliError("expected metric or imperial in '--units " + v + "'");
            options.inputs.units = *units;
        } else if (option == "--csv") {
            options.csv = true;
        } else if (option == "--effects") {
            options.effects = true;
        } else if (option == "--png" || option == "--svg" || option == "--pdf") {
            std::string& path = option == "--png" ? options.pngPath
                                : option == "--svg" ? options.svgPath
                                                    : options.pdfPath;
            path = value();
            if (path.empty()) throw CliError("empty file name in '" + option + "'");
        } else {
            throw CliError("unknown argument '" + arg + "'");
        }
    }
    if (applyLoad && !options.loadPath.empty()) applyLoad(options);
    for (const auto& [option, v] : options.assignments) {
        const auto [name, setting] = splitAssignment(v, option + " " + v);
        (option == "--set" ? setMember : setText)(options, name, setting, v);
    }
    if (!options.comparePaths.empty() && (!options.loadPath.empty() || !options.assignments.empty()))
        throw CliError("--compare plots the load files as saved; it goes with neither --load nor --set/--text");
    if (!options.comparePaths.empty() && (options.inspectX || options.rangeTable))
        throw CliError("--compare goes with neither --inspect nor --range-table");
    if (!options.comparePaths.empty() && options.csv) throw CliError("--csv does not go with --compare");
    if (!options.comparePaths.empty() && options.effects) throw CliError("--effects does not go with --compare");
    if (bulletsMode && !options.help && options.bulletsCommand == CliOptions::BulletsCommand::None)
        throw CliError("'bullets' needs --export FILE or --import FILE");
    if (options.bulletMaker && options.bulletStock.empty()) throw CliError("--maker needs --bullet");
    if (options.inputs.energyCurveOn && options.inputs.velocityCurveOn)
        throw CliError("--energy and --velocity cannot be used together");
    checkModelChoice(options);
    return options;
}

std::string cliHelpText() {
    const std::string canvas = std::to_string(kCanvasWidth) + "x" + std::to_string(kCanvasHeight);
    return R"(Usage: tarnwick-cli [--set NAME=VALUE]... [--text NAME=TEXT]... [--canvas WxH]
                    [--energy | --velocity] [--grid] [--inspect X]
                    [--png FILE] [--svg FILE] [--pdf FILE]
                    [--bullet STOCK [--maker NAME]] [--db FILE]
                    [--range-table START:END:STEP]
                    [--range-card START:END:STEP [--csv] [--effects]]
                    [--corrections UNIT]
                    [--units imperial|metric]
                    [--load FILE.tarnwick] [--save-load FILE.tarnwick]
       tarnwick-cli --compare FILE.tarnwick... [--png FILE] [--svg FILE] [--pdf FILE]
       tarnwick-cli bullets (--export FILE.csv | --import FILE.csv) [--db FILE]

Flies one plot run and prints its report (LF line ends). With --inspect X it prints
what a left click at canvas x = X shows, as NAME=VALUE lines.

  --set NAME=VALUE   any member of the shot parameter set by its exact name
                     (InitialVelocity, BallisticCoefLow, DragFunction, ...) or
                     LastZeroCrossing (yards). DragFunction takes G1, Ingalls or
                     Krupp, and G7 with Model=PointMass. Winds in the engine's own units:
                     RCrossWind/HCrossWind in in/s, RTailWind/HTailWind in ft/s.
                     Booleans take true, false, -1 or 0; HuntingMode also selects
                     the Hunting option. RCrossWindMph, RTailWindMph, HCrossWindMph
                     and HTailWindMph take miles per hour and set the report text.
                     Model=Classic (default) or PointMass chooses the flight model
                     of the report, the plot, --inspect and --range-table; the
                     point-mass model flies DragFunction=G1 (the three band
                     coefficients) or G7 (BallisticCoefG7), and G7 only with it.
                     Point-mass long-range effects: TwistRate (in/turn) and
                     BulletLength (in) switch spin drift on (TwistLeft=true for a
                     left-hand twist, BulletDiameter in inches, default 0.308);
                     Latitude (deg, north positive) switches the earth's rotation
                     on, fired Azimuth degrees from true north;
                     PressureIsSeaLevel=false reads the pressures as station ones.
                     PowderSensitivity (ft/s per deg F about Temperature, may be
                     negative) or PowderTemperatures=20:2550,90:2640 (deg F:ft/s,
                     two or more points, which win) set the hunting muzzle velocity
                     in place of the fixed 1.5 ft/s per deg F.
                     WindZones=300:10:3,600:15:4,2000:5:9 (until yd:mph:clock hour
                     the wind comes from, 3 = from the right, 12 = head wind; up to
                     three zones, the last one's wind holding beyond it) replaces
                     the single wind of both conditions.
  --text NAME=TEXT   txtRTailWind, txtRCrossWind, txtHTailWind, txtHCrossWind,
                     txtManufacturer, txtBulletMass or txtBulletType; the last
                     three name the bullet in the report's third line, which
                     otherwise (without --bullet) states the coefficients flown
  --canvas WxH       inner size of the canvas in canvas units (default )" + canvas + R"()
  --energy           draw the remaining-energy curve
  --velocity         draw the remaining-velocity curve
  --grid             draw grid lines
  --inspect X        after the run, inspect a click at canvas x = X
  --png FILE         also write the plot as a PNG picture
  --range-table START:END:STEP
                     instead of the report, print a header line and one line per
                     range (yards) under the range conditions, sighted in as the
                     plot run sights: range (yd), height above the line of sight
                     (in), wind drift (in), speed (ft/s), energy (ft-lbs), time (s)
  --range-card START:END:STEP
                     instead of the report, print the range card: the bullet, zero,
                     model and atmosphere, then per range (yards; metres with
                     --units metric) the elevation correction, the wind correction
                     for the current cross wind and for a 10 mph (5 m/s) one, speed,
                     energy and time of flight
  --corrections UNIT for --range-card, or the report's drop table (--set DropTable=1):
                     inches (default), moa, mrad, or clicks of a
                     click value: clicks:0.25moa, clicks:0.125moa, clicks:0.1mrad or
                     any other size; angles are the true angles, with the direction
                     to dial (a bullet below the line of sight needs UP)
  --units UNITS      imperial (default) or metric: the report, the drop table (a row
                     every 5 m), --range-table and --range-card in m, cm, m/s, g,
                     J, deg C and hPa; --set values stay imperial
  --csv              with --range-card: CSV with a title row instead of aligned text
  --effects          with --range-card: a column per effect that is on (Wind,
                     Spin, Coriolis; in or cm) whose sum is the current windage
  --svg FILE         also write the plot as an SVG drawing
  --pdf FILE         also write the plot on a PDF page, titled with the bullet,
                     the muzzle velocity and the date
  --load FILE        fly the shot of a load file (.tarnwick); --set and --text
                     override its values
  --save-load FILE   write the shot as flown (after --load, --set, --text and
                     --bullet) to a load file
  --compare FILE...  plot one to four load files on one canvas, each in its own
                     colour with a legend naming it, and print their reports one
                     after another; the plot takes the first load's display scale.
                     With --range-card: the loads' elevation corrections side by side
  --bullet STOCK     take mass, ballistic coefficients, break velocities and length
                     (when the row has one) from the first bullet with this stock
                     number (letter case ignored), and the report's bullet line
                     from that row; applied after --set
  --maker NAME       with --bullet: the maker must be exactly NAME
  --db FILE          the bullet database to use (default: the user's copy if it
                     exists, otherwise Bullets.db beside the program)

  bullets --export FILE.csv   write every bullet to a CSV file
  bullets --import FILE.csv   add the bullets of a CSV file with the same header;
                              a malformed row is reported with its line number
                              and nothing of that file is stored; a bullet whose
                              maker and stock number are already there is skipped.
                              The import reads the whole file before it stores
                              anything, so from a pipe it waits for the writer to
                              finish

Exit status: 0 done, 2 bad argument (an unknown bullet included), 3 the run or
the --inspect click stopped on a numeric failure (what was written so far is
printed, the reason goes to standard error), 1 the bullet database, a CSV file
or a load file could not be used, or a file could not be written (the --png, --svg or --pdf
file, the standard output; the report is still printed, and 1 outranks 3).

Examples:
  tarnwick-cli
  tarnwick-cli --set InitialVelocity=2800 --set BallisticCoefLow=0.45 \
      --set BallisticCoefMid=0.45 --set BallisticCoefHigh=0.45 --set BulletMass=165
  tarnwick-cli --set HuntingMode=true --set PBRMode=false --set LastZeroCrossing=250
  tarnwick-cli --set DropTable=1 --set ScopeHeight=0 --set MaxDeviation=0
  tarnwick-cli --set HuntingMode=true --inspect 400
  tarnwick-cli --energy --png plot.png
  tarnwick-cli --set Model=PointMass --set DragFunction=G7 --set BallisticCoefG7=0.243 \
      --set BulletMass=175 --set InitialVelocity=2600 --range-table 100:1000:100
)";
}
