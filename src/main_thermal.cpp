#include "shell/Application.h"

int main(int argc, char** argv) { return runHalvane(BuildKind::Thermal, argc, argv); }
