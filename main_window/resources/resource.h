// Resource identifiers of the program.
#pragma once

#define IDI_TARNWICK 1
