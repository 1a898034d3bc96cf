#pragma once
// tarnwick-cli and the bullet table: "bullets --export/--import" and --bullet.
#include "CliOptions.h"

// Runs "bullets --export FILE" or "bullets --import FILE"; returns the exit status.
int runBulletsCommand(const CliOptions& options);

// With --bullet: copies the bullet's numbers into the parameter set as Select does (a
// --set BulletLength stays when the row has no length) and its maker, mass and type
// into the report's bullet line. Returns 0, or the exit status of a failure
// (reported on standard error).
int applyBulletOption(CliOptions& options);
