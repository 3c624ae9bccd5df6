#pragma once
// The program's name and version as the about window shows them.
#define MOTOSKOP_NAME "MOTOSKOP"
#define MOTOSKOP_VERSION "1.0"
