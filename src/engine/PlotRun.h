#pragma once
// The plot run ("Plot Trajectory"): frame, sighting, range pass, report, and in
// Hunting mode the hunting pass with the same bore angle, under the flight model the
// parameter set chooses.
#include <optional>
#include <string>

#include "DrawingSurface.h"
#include "Report.h"
#include "ShotParameters.h"

namespace tarnwick {

// What the run reads besides the parameter set: the Hunting option of the run
// parameters dialog, the display options of the main menu and the report's texts.
struct RunInputs {
    bool huntingOption = false;
    bool energyCurveOn = false;
    bool velocityCurveOn = false;
    bool gridLinesOn = false;
    ReportTexts texts;
    // How the report and the plot's labels show numbers, and how corrections are given.
    UnitSystem units = UnitSystem::Imperial;
    Corrections corrections;
    // A comparison of loads draws each load's paths in the load's own colour.
    std::optional<Rgb> pathColour;
};

// The results window as the run uses it.
class ResultsWindow {
public:
    virtual ~ResultsWindow() = default;
    virtual void hideWindow() = 0;
    virtual void showWindow() = 0;
    virtual void setText(const std::string& text) = 0;
    virtual void appendText(const std::string& text) = 0;
};

// A results window that only keeps the text (command line, tests, silent runs).
class TextResults : public ResultsWindow {
public:
    void hideWindow() override { visible = false; }
    void showWindow() override { visible = true; }
    void setText(const std::string& newText) override { text = newText; }
    void appendText(const std::string& more) override { text += more; }

    std::string text;
    bool visible = false;
};

struct RunOutcome {
    bool completed = true;
    std::string message;  // why the run stopped, in plain words, when not completed
    EventResults events;  // as the last pass left them
};

// Runs the plot on the surface. Changes YAxis and XAxis, the strike values and the page
// texts; never clears the canvas. A numeric failure ends the run at the failing step,
// keeping what was drawn and written, and is reported in the outcome.
RunOutcome plotRun(ProgramState& state, const RunInputs& inputs, DrawingSurface& surface, ResultsWindow& results);

}  // namespace tarnwick
