#pragma once
// The user guide that "How to Use Tarnwick" shows in the results window and prints as
// two pages. Every line ends with CR LF; some are followed by an empty line.
#include <string>

struct UserGuide {
    std::string firstHalf;   // lines 1 to 62 and the empty line after 62
    std::string secondHalf;  // lines 63 to 94
};

// The guide, naming `databasePath` as the bullet data base file in use.
UserGuide userGuide(const std::string& databasePath);
