#pragma once

// Which program is running; fixed when the program is built and passed in by its main.
enum class BuildKind { Standard, Thermal };
