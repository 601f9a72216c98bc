#pragma once

#include <QIcon>

// The images of the three measurement buttons.
QIcon singleImage();
QIcon startImage();
QIcon stopImage();
