#include "game/korvane.h"

int main() { return KorvaneMain(); }
