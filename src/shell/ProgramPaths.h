#pragma once

#include <QString>

// The folder of the shipped calibration files: beside the program, else under the install prefix.
QString shippedDataFolder();
