// Build tool: turns the shipped bullet rows (CSV) into the program's Bullets.db.
#include <iostream>

#include "BulletCsv.h"

int main(int argc, char** argv) {
    if (argc != 3) {
        std::cerr << "usage: tarnwick-make-bulletdb BULLETS.csv Bullets.db\n";
        return 2;
    }
    const auto outcome = tarnwick::bulletdb::createBulletDatabase(argv[1], argv[2]);
    if (!outcome.ok) {
        std::cerr << "tarnwick-make-bulletdb: " << argv[1] << ": " << outcome.message << '\n';
        return 1;
    }
    return 0;
}
