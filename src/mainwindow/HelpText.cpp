#include "HelpText.h"

#include <array>
#include <string_view>

namespace {

struct GuideLine {
    std::string_view text;
    bool blankAfter = false;
};

constexpr std::array<GuideLine, 62> kFirstHalf{{
    {"How to Use this Program:"},
    {"The Tarnwick Program calculates and plots the exterior ballistics"},
    {"curve for any bullet if the ballistic coefficient(s) is(are) known."},
    {"A number of common bullets are included in the database included with"},
    {"the program.  The user is able to add others as desired.", true},
    {"Either Point-Blank-Range (PBR) curves or standard drop curves can be"},
    {"plotted.  PBR curves allow the user to specify the maximum distance"},
    {"from line-of-sight they want the bullet to deviate.  This is usefull"},
    {"for hunting rifles/bullets, as it allows one to specify the size of the"},
    {"kill zone for the game in question. The program then calculates"},
    {"and shows the maximum distance one can shoot, holding the point of"},
    {"aim dead-on, and expect the bullet to hit within the kill-zone."},
    {"Drop tables simply show the drop of the bullet over distance.", true},
    {"Included in the program is a Muzzle Velocity Calculator.  This"},
    {"tool estimates the air/cartridge temperature's affect on muzzle"},
    {"velocity.  Also included is a Cross Wind and Tail Wind Calculator."},
    {"This tools shows the cross wind and tail wind components of any wind"},
    {"when given the wind velocity relative to the line of sight.", true},
    {"What the various menu items do:", true},
    {"* Print Trajectory: sends plot currently displayed to printer."},
    {"* Scope Height: This sets the line of sight (center of the scope or top of"},
    {"   front bead) distance above the center of the bore (at the muzzle)."},
    {"   1.5 inches is typical for most guns and is the default.  One can"},
    {"   set this to any height by using the <Set...> menu selection."},
    {"* Plot: this menu item plots the trajectory of the selected bullet"},
    {"   using the other parameters specified (or defaulted)."},
    {"* Clear Screen: that it does!  No parameters are changed.  By default,"},
    {"   the screen does not clear on a plot run.  This allows the user to"},
    {"   overlay multiple plots.  One must manually clear the screen prior"},
    {"   to the plot to get a clean view."},
    {"* Set All: this is a convenient way to make sure you've set all the"},
    {"   parameters prior to running a plot.  It cycles through all the"},
    {"   windows with user specifiable data."},
    {"* Set Run Parameters: This window allows the user to set the muzzle"},
    {"   velocity and the maximum deviation from line of sight they want"},
    {"   the bullet to go.  This maximum deviation should be set to 1/2 the"},
    {"   kill zone (eg. to the radius of the kill zone circle).  In addition,"},
    {"   this window allows one to set the size of the time increments to"},
    {"   be used in the plot.  Bigger numbers run faster but have more"},
    {"   error.  Smaller numbers are more accurate, but take longer to"},
    {"   run.  I've found 0.001 (the default) to be a good balance of"},
    {"   speed and accuracy.  I don't recommend numbers larger than this,"},
    {"   as the accuracy seems to really fall off as one approaches 0.01."},
    {"* Select Bullet: Allows user to pick the bullet to be used in the"},
    {"   trajectory plot."},
    {"* Set Display Scale: Changes the horizontal scale used in displaying"},
    {"   the trajectory plot.  Scaling is approximate - your window may have"},
    {"   to be manually resized, cleared and re-plotted to get the desired"},
    {"   view."},
    {"* Set Environmental Variables: Allows the user to set the altitude,"},
    {"   temperature, barometric pressure and relative humidity for a plot."},
    {"   By default these are set to Krupp and Ingall's standards."},
    {"* Set Slope: You can see what the affect of shooting up or down hill"},
    {"   has on your trajectory by using this menu item.  Line of sight is"},
    {"   always displayed on the horizontal axis of the plot.  To show the"},
    {"   angle of inclination/declination, a blue ball-on-a-string is shown"},
    {"   as part of the plot.  This is included to help visualize the relative"},
    {"   angle of the line of sight to vertical."},
    {"* Display Drop Table: clicking this menu item causes a drop table"},
    {"   to be displayed when a trajectory plot is run.  Every five yards,"},
    {"   bullet distances from line-of-sight are displayed.  Subsequent"},
    {"   clicks alternately disable/re-enable this option.  Default: disabled", true},
}};

// Lines 63 to 65 of the guide; the three lines about the data base file follow them.
constexpr std::array<GuideLine, 3> kSecondHalfStart{{
    {"The following built-in tools are provided:"},
    {"* Edit Bullet Data Base: Allows user to add additional bullets to,"},
    {"   delete bullets from, or modify existing bullets in, the data base."},
}};

// Lines 69 to 94.
constexpr std::array<GuideLine, 26> kSecondHalfEnd{{
    {"* Muzzle Velocity Calculator: this menu item opens an independant window"},
    {"   that allows the user to estimate the affect temperature has on the"},
    {"   muzzle velocity.  Only an estimate, this is based on the typical"},
    {"   value of 1.5 FPS / degree F quoted in Hatcher's Notebook."},
    {"* Cross & Tail Wind Calculator:  This is a simple helper tool used to"},
    {"   find the cross wind and tail wind components of any wind relative"},
    {"   to the line of sight.", true},
    {"Using the program:", true},
    {"* To plot a Point-Blank-Range trajectory:"},
    {"    1) pick a bullet"},
    {"    2) pick a gun (set the scope height)"},
    {"    3) set the muzzle velocity"},
    {"    4) set the maximum bullet deviation (1/2 the kill zone diameter)"},
    {"    5) if desired, change the environmental settings"},
    {"    6) if desired, change the slope and/or display scale"},
    {"    7) if desired, clear the screen"},
    {"    8) click on the <Plot> menu item"},
    {"    Note: items 1-7 can be set by selecting the <Set All> menu item", true},
    {"* To plot a standard drop table follow the same procedure as PBR"},
    {"   except:"},
    {"    1) when picking a gun, set the scope height to 0 (zero), and"},
    {"    2) set the maximum bullet deviation to 0 (zero)", true},
    {"* If you want to see a table of bullet deviation from LOS at 5 yard"},
    {"   increments, click on the <Display Drop Table> menu item prior to"},
    {"   plotting the trajectory.  This works with either plot method.", true},
    {"Enjoy!"},
}};

template <std::size_t N>
void appendLines(std::string& out, const std::array<GuideLine, N>& lines) {
    for (const GuideLine& line : lines) {
        out += line.text;
        out += "\r\n";
        if (line.blankAfter) out += "\r\n";
    }
}

}  // namespace

UserGuide userGuide(const std::string& databasePath) {
    UserGuide guide;
    appendLines(guide.firstHalf, kFirstHalf);
    appendLines(guide.secondHalf, kSecondHalfStart);
    // The bullet table is an SQLite file: any SQLite tool edits it, though not while this
    // program has it open.
    guide.secondHalf += "   Note: this DB can be edited with any SQLite tool.  Do not edit the DB\r\n";
    guide.secondHalf += "   while Tarnwick is running (DB contamination may result).\r\n";
    guide.secondHalf += "   The data base is " + databasePath + "\r\n";
    appendLines(guide.secondHalf, kSecondHalfEnd);
    return guide;
}
