#pragma once

#include "measurement/BuildKind.h"

// Runs the whole program of the given build: start, event loop, exit.
int runHalvane(BuildKind kind, int argc, char** argv);
