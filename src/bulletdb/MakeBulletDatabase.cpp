// Build tool: turns the shipped bullet rows (CSV) into the program's Bullets.db.
#include <iostream>

#include "BulletTable.h"

int main(int argc, char** argv) {
    if (argc != 3) {
        std::cerr << "usage: tarnwick-make-bulletdb BULLETS.csv Bullets.db\n";
        return 2;
    }
    const auto built = tarnwick::bulletdb::BulletTable::createFromCsv(argv[1], argv[2]);
    if (!built) {
        std::cerr << "tarnwick-make-bulletdb: " << built.error() << '\n';
        return 1;
    }
    return 0;
}
