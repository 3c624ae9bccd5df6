#pragma once
// The program's name and version: the one place they are written. The about window,
// --version, the VERSIONINFO resource (assets/motoskop.rc) and scripts/package take them
// from here, so this file stays plain preprocessor definitions.
#define MOTOSKOP_NAME "MOTOSKOP"
#define MOTOSKOP_VERSION_MAJOR 1
#define MOTOSKOP_VERSION_MINOR 0

#define MOTOSKOP_STRINGIFY_(x) #x
#define MOTOSKOP_STRINGIFY(x) MOTOSKOP_STRINGIFY_(x)
#define MOTOSKOP_VERSION                                                                           \
    MOTOSKOP_STRINGIFY(MOTOSKOP_VERSION_MAJOR) "." MOTOSKOP_STRINGIFY(MOTOSKOP_VERSION_MINOR)
