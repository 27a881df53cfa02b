// Stand-in until the hero's gauges and damage rules come: a hit changes nothing yet.
#include "act/player.h"

void Player::TakeDamage(int, int, float, float, int) {}
