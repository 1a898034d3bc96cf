#pragma once
// The long-range effects of a load in its document: the bullet's length and diameter, the
// twist, the place and direction of fire, how the typed pressures are meant, the powder's
// temperature sensitivity and the wind zones.
//
// Files written before these keys existed lack them; such a file opens with the
// parameter set's defaults, which fly it as it flew then (pressures read as sea-level
// ones, no spin drift, no earth's rotation, no powder table, one wind).
#include <QJsonObject>

#include "ShotParameters.h"

namespace tarnwick::loads {

// Reads the effects into `params`, keeping its values for absent keys; throws a
// json::Refusal naming the field of a wrong value.
void readEffects(const QJsonObject& root, ShotParameters& params);
// Writes every effect key, including the empty ones, so that none of an older save stays.
void writeEffects(QJsonObject& document, const ShotParameters& params);
void copyEffects(const ShotParameters& from, ShotParameters& to);

}  // namespace tarnwick::loads
